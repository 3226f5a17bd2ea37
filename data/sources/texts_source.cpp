#include "sources/texts_source.h"

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "sources/source_text.h"

namespace {

constexpr long long kHighestTextNumber = 999;  // the translation file gives three digits

int text_number(const std::string& field, const std::string& source) {
  long long number = -1;
  if (!parse_integer(field, number) || number < 0 || number > kHighestTextNumber)
    throw FileError(source + ": \"" + field + "\" is not a text number");
  return static_cast<int>(number);
}

}  // namespace

std::vector<std::string> parse_texts_source(std::string_view text, const std::string& source) {
  std::vector<std::string> texts;
  for (const std::string& line : content_lines(text)) {
    auto [field, content] = key_and_value(line, source);
    int number = text_number(field, source);
    if (static_cast<std::size_t>(number) < texts.size())
      throw FileError(source + ": text " + field + " is out of ascending order");
    if (content.empty()) throw FileError(source + ": text " + field + " is empty");
    texts.resize(static_cast<std::size_t>(number) + 1);
    texts.back() = std::move(content);
  }
  return texts;
}

std::string texts_source_text(const std::vector<std::string>& texts) {
  std::string text;
  for (std::size_t number = 0; number < texts.size(); ++number)
    if (!texts[number].empty()) text += std::to_string(number) + '\t' + texts[number] + "\n";
  return text;
}

std::vector<int> parse_text_numbers(std::string_view text, const std::string& source) {
  std::vector<int> numbers;
  for (const std::string& line : content_lines(text))
    numbers.push_back(text_number(key_and_value(line, source).first, source));
  return numbers;
}
