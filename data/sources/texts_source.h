// The source of one language's texts: "number<TAB>text" lines in ascending
// number order, and the list of every text number the program looks up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The texts indexed by number (numbers not given hold the empty text). Raises
// FileError naming the source for a number out of order or beyond 999, or an empty text.
std::vector<std::string> parse_texts_source(std::string_view text, const std::string& source);
// The source text of a language: one line per non-empty text.
std::string texts_source_text(const std::vector<std::string>& texts);

// The numbers of the text-number list ("number<TAB>role" lines), in file order.
std::vector<int> parse_text_numbers(std::string_view text, const std::string& source);
