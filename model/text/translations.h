// The translation file, data/lang.dat: each line is a three-digit text
// number, a two-letter language code, one blank and the text ("039IT Cella").
// The loaded language is kept in the program state (model/state/language.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/base/code_page.h"
#include "model/base/text_io.h"

// The most bytes a line of the translation file holds: the number, the code
// and the blank before its text (six), then a text of at most kTextBytes.
inline constexpr std::size_t kTranslationLineBytes = 6 + kTextBytes;

// The code of a language index (0 "IT" .. 7 "PL"); empty outside 0..7.
std::string language_code(int language);
// The Windows code page the old program wrote its files in, in a language:
// 1250 for Czech and Polish, 1252 for the others and before one is chosen.
CodePage language_code_page(int language);

// The texts of one language in the plain content of a translation file, by
// number. Columns 1-3 of a line of the code are read as a decimal integer:
// leading blanks and one sign are allowed (" 07" and "+07" are 7), and the
// line of a negative number is ignored; anything else there, two signs
// included, raises FileError naming the line ("line 4: '0x1' is not a valid
// integer value"). Numbers must ascend: a number at or below one already seen
// is ignored, so a repeated number keeps its first text. Lines of other codes
// and blank lines are skipped. A text longer than kTextBytes (model/base/text_io.h)
// is cut to it, each cut noted in cuts, when given, with its line.
std::vector<std::string> parse_language_texts(std::string_view plain, std::string_view code,
                                              std::vector<std::string>* cuts = nullptr);

// Raises FileError naming the translation file when texts, the texts it gives
// the language code, lack one the program shows: a torn or damaged file would
// leave menus, labels and questions blank.
void check_shown_texts(const std::vector<std::string>& texts, std::string_view code, const std::string& file);
// Why plain, the content a translation file would have once written, would
// not serve the language code: "line 4: 'O39' is not a valid integer value",
// "EN has no text for 39, 193" or "EN has no texts"; empty when it would.
std::string translation_refusal(std::string_view plain, std::string_view code);

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
