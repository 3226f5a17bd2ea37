#include "model/text/translations.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/text/lang_text.h"
#include "model/text/shown_text_numbers.h"

namespace {

constexpr std::array<const char*, 8> kLanguageCodes = {"IT", "EN", "FR", "DE", "ES", "FM", "CZ", "PL"};
constexpr std::size_t kMaxTextNumbers = 1000;     // three digits
constexpr std::size_t kMissingNumbersShown = 10;  // in a message, before "and n more"

// The number in columns 1-3 of line line_number, read as a decimal integer
// (leading blanks and one sign allowed, as " 07" or "+07"); raises FileError
// when they hold anything else, a second sign included.
int text_number(std::string_view line, std::size_t line_number) {
  std::string_view field = line.substr(0, 3);
  field.remove_prefix(std::min(field.find_first_not_of(" \t"), field.size()));
  const bool negative = !field.empty() && field.front() == '-';
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
  int number = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
  // from_chars would take a second '-' as the number's own sign.
  if (field.empty() || field.front() == '-' || error != std::errc() || end != field.data() + field.size())
    throw FileError("line " + std::to_string(line_number) + ": '" + std::string(line.substr(0, 3)) +
                    "' is not a valid integer value");
  return negative ? -number : number;
}

// "39, 193": the first numbers, then how many more there are.
std::string listed_numbers(const std::vector<int>& numbers) {
  std::string text;
  for (std::size_t i = 0; i < numbers.size() && i < kMissingNumbersShown; ++i)
    text += (i > 0 ? ", " : "") + std::to_string(numbers[i]);
  if (numbers.size() > kMissingNumbersShown)
    text += " and " + std::to_string(numbers.size() - kMissingNumbersShown) + " more";
  return text;
}

// The numbers of the texts the program shows that texts lacks, listed; empty when none.
std::string lacking_shown_texts(const std::vector<std::string>& texts) {
  std::vector<int> missing;
  for (int number : shown_text_numbers())
    if (lang_text(texts, number).empty()) missing.push_back(number);
  return missing.empty() ? std::string() : listed_numbers(missing);
}

std::string three_digits(std::size_t number) {
  std::string text = "00" + std::to_string(number);
  return text.substr(text.size() - 3);
}

}  // namespace

std::string language_code(int language) {
  if (language < 0 || language >= static_cast<int>(kLanguageCodes.size())) return {};
  return kLanguageCodes[static_cast<std::size_t>(language)];
}

CodePage language_code_page(int language) {
  const std::string code = language_code(language);
  return code == "CZ" || code == "PL" ? CodePage::Windows1250 : CodePage::Windows1252;
}

std::vector<std::string> parse_language_texts(std::string_view plain, std::string_view code,
                                              std::vector<std::string>* cuts) {
  std::vector<std::string> texts;
  const std::vector<std::string> lines = split_lines(plain);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (is_blank_line(line) || line.size() < 5 || std::string_view(line).substr(3, 2) != code) continue;
    const int number = text_number(line, i + 1);
    if (number < 0 || texts.size() > static_cast<std::size_t>(number)) continue;  // the table is never shorter
    texts.resize(static_cast<std::size_t>(number) + 1);
    const std::string_view text = line.size() > 6 ? std::string_view(line).substr(6) : std::string_view();
    texts.back() = cut_text(text, kTextBytes);
    if (text.size() > kTextBytes && cuts)
      cuts->push_back("line " + std::to_string(i + 1) + ": " + cut_text_note(text.size(), kTextBytes));
  }
  return texts;
}

void check_shown_texts(const std::vector<std::string>& texts, std::string_view code, const std::string& file) {
  const std::string language(code);
  if (texts.empty())
    throw FileError("The translation file " + file + " holds no texts for " + language + ": it is empty or damaged.");
  const std::string missing = lacking_shown_texts(texts);
  if (!missing.empty())
    throw FileError("The translation file " + file + " gives " + language + " no text for " + missing +
                    ": it is incomplete or damaged.");
}

std::string translation_refusal(std::string_view plain, std::string_view code) {
  std::vector<std::string> texts;
  try {
    texts = parse_language_texts(plain, code);
  } catch (const FileError& error) {
    return error.what();
  }
  if (texts.empty()) return std::string(code) + " has no texts";
  const std::string missing = lacking_shown_texts(texts);
  return missing.empty() ? std::string() : std::string(code) + " has no text for " + missing;
}

std::string language_file_text(const std::vector<LanguageTexts>& languages, bool separator_lines) {
  std::size_t count = 0;
  for (const LanguageTexts& language : languages) count = std::max(count, language.texts.size());
  if (count > kMaxTextNumbers) throw FileError("The translation file holds at most 1000 texts");
  for (const LanguageTexts& language : languages)
    if (language.code.size() != 2) throw FileError("A language code has two letters, not \"" + language.code + "\"");
  TextWriter out;
  for (std::size_t number = 0; number < count; ++number) {
    for (const LanguageTexts& language : languages) {
      if (number >= language.texts.size()) continue;
      const std::string& text = language.texts[number];
      if (text.find_first_of("\r\n") != std::string::npos)
        throw FileError("Text " + std::to_string(number) + " of " + language.code + " holds a line break");
      out.line(three_digits(number) + language.code + " " + text);
    }
    if (separator_lines) out.line(std::string(81, '-'));
  }
  return out.take();
}
