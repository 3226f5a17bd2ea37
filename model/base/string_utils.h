// Small text utilities the catalogue, the code and load tables and the printed
// pages share: splitting, the decimal comma, typed numbers, and the multiplier
// of a cell name.
#pragma once

#include <string>
#include <string_view>

#include "model/base/records.h"

// The parts of text between the occurrences of delimiter; a text ending with
// the delimiter gives an empty last part, an empty text one empty part.
Tstringlist split_to_string_list(const std::string& text, const std::string& delimiter);
// A copy of text with every ',' turned into '.'.
std::string comma_to_point(std::string text);
// Case folding of file names and extensions: the ASCII letters alone, the
// same in every locale (std::tolower follows the user's, and leaves "I" as it
// is in a Turkish one). Every other byte, UTF-8 too, stays as it is.
// A copy of text with the letters a to z in capitals.
std::string ascii_upper(std::string text);
// A copy of text with the letters A to Z in small letters.
std::string ascii_lower(std::string text);
// True when a and b differ at most in the case of ASCII letters.
bool equal_ignoring_ascii_case(std::string_view a, std::string_view b);

// A number typed by the user in any window, "," and "." alike; false when the
// text is not a finite number.
bool parse_typed_number(const std::string& text, double& value);
// A size key of the codes table as the user reads it: a number's decimal mark
// ("," or ".", as stored) becomes decimal_separator; any other text ("-")
// stays as it is. The key itself stays as stored for the lookups.
std::string shown_size(std::string key, char decimal_separator);
// The multiplier of a cell name ending in "(x3)": blanks are ignored and the
// x may be of either case. 1 when the name has no such marker or the marker
// does not hold a whole number of 0 or more.
int parse_multiplier(const std::string& text);
