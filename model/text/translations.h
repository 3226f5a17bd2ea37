// The translation table: every text the user sees is looked up by number in
// LangTable, which holds one language at a time, loaded from data/lang.dat.
// Each line of that file is a three-digit text number, a two-letter language
// code, one blank and the text ("039IT Cella").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/text/lang_text.h"  // lang_text(n): text n of the loaded language, empty when missing

// The code of a language index (0 "IT" .. 7 "PL"); empty outside 0..7.
std::string language_code(int language);

// The texts of one language in the plain content of a translation file, by
// number. Numbers must ascend: a number at or below one already seen is
// ignored, so a repeated number keeps its first text. Lines of other codes,
// blank lines and lines whose number is not three digits are skipped.
std::vector<std::string> parse_language_texts(std::string_view plain, std::string_view code);

// Fills LangTable with the texts of one language code from data/lang.dat.
// Raises FileError when the file cannot be read; LangTable is then unchanged.
void load_language(const std::string& code);
// Selects the interface language by its code.
void set_language(const std::string& code);

// One language's texts, indexed by text number, for the translation file writer.
struct LanguageTexts {
  std::string code;
  std::vector<std::string> texts;
};

// The plain content of a translation file: for each text number, one line per
// language that has it, in the order given, each group optionally followed by
// a separator line of 81 dashes. Raises FileError for more than 1000 numbers
// or a text holding a line break, which the file cannot represent.
std::string language_file_text(const std::vector<LanguageTexts>& languages, bool separator_lines);

// Developer writers of data/lang.dat, both from the Italian texts: the Italian
// lines alone, or each Italian line followed by placeholder lines for EN, FR,
// DE, ES, FM and CZ ("EN-" + the Italian text) and a separator.
void save_language_italian_only();
void save_language_placeholders();
