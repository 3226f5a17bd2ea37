#include "model/text/translations.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "model/base/file_io.h"
#include "model/base/text_io.h"

namespace {

constexpr std::array<const char*, 8> kLanguageCodes = {"IT", "EN", "FR", "DE", "ES", "FM", "CZ", "PL"};
constexpr std::size_t kMaxTextNumbers = 1000;  // three digits

// The number in columns 1-3, or -1 when they are not three decimal digits.
int text_number(std::string_view line) {
  int number = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) return -1;
    number = number * 10 + (line[i] - '0');
  }
  return number;
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

std::vector<std::string> parse_language_texts(std::string_view plain, std::string_view code) {
  std::vector<std::string> texts;
  for (const std::string& line : split_lines(plain)) {
    if (is_blank_line(line) || line.size() < 5 || std::string_view(line).substr(3, 2) != code) continue;
    int number = text_number(line);
    if (number < 0 || texts.size() > static_cast<std::size_t>(number)) continue;
    texts.resize(static_cast<std::size_t>(number) + 1);
    texts.back() = line.size() > 6 ? line.substr(6) : std::string();
  }
  return texts;
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
