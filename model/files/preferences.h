// The preferences file user/preferenze.dat: language, catalogue and 3-D
// settings, company texts, archive column widths, units and plan background,
// one value per line, stored scrambled. Files that end after line 30, 31 or 32
// are valid and leave the later settings at their defaults.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/base/file_io.h"
#include "model/base/records.h"

// The most decimals lengths are shown with, as the preferences dialog offers
// them; a file that asks for more is damaged.
inline constexpr int kMostDecimalsShown = 7;

// Reads the preferences into AppState and Company. Every line that holds its
// value is read; a bad line leaves its one setting at its default and is named
// to the user, and the damaged file is kept before it is written again. On the
// first run (no valid language stored), or when the translation file no longer
// serves the stored language (the refusal is shown), it asks for the language
// until the file serves the choice, and writes the file back; a failed write is
// reported and the chosen language holds for the run. Returns false, after
// telling the user why, when there is no preferences file or the translation
// file serves no language: the program cannot start without them. Nothing is
// stored then.
// A company text longer than kTextBytes (model/base/text_io.h) is cut instead
// of left at its default, and named the same way.
bool read_preferences();

// Reads the plain lines of a preferences file into state and company as they
// stand, a language not chosen yet included; raises FileError naming source
// and the first bad line.
void parse_preferences_text(std::string_view text, const std::string& source, Tvar_amb& state, Tazienda& company);

// The language index user/preferenze.dat stores, which the next start takes
// (the preferences dialog applies a language without storing it); -1 when
// the file holds none or cannot be read.
int stored_language();

// Writes AppState and Company to user/preferenze.dat (a damaged file read
// before is kept beside it first); raises FileError.
void write_preferences();
// The same with company in place of Company, which is left alone, in one
// save with the other files: all of them are written or none.
void write_preferences_with(const Tazienda& company, std::vector<FileContent> together = {});

// Writes a preferences file from state and company, safely and scrambled.
void write_preferences_file(const std::string& path, const Tvar_amb& state, const Tazienda& company);
