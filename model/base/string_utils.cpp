#include "model/base/string_utils.h"

#include <algorithm>
#include <climits>

#include "model/base/text_io.h"

Tstringlist split_to_string_list(const std::string& text, const std::string& delimiter) {
  Tstringlist parts;
  std::size_t start = 0;
  if (!delimiter.empty()) {
    for (std::size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, start)) {
      parts.push_back(text.substr(start, at - start));
      start = at + delimiter.size();
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string comma_to_point(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

namespace {

char ascii_lower_letter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string ascii_upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string ascii_lower(std::string text) {
  for (char& c : text) c = ascii_lower_letter(c);
  return text;
}

bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return ascii_lower_letter(x) == ascii_lower_letter(y); });
}

bool parse_typed_number(const std::string& text, double& value) { return parse_double(comma_to_point(text), value); }

std::string shown_size(std::string key, char decimal_separator) {
  double value = 0.0;
  if (!parse_typed_number(key, value)) return key;
  std::replace_if(
      key.begin(), key.end(), [](char c) { return c == ',' || c == '.'; }, decimal_separator);
  return key;
}

int parse_multiplier(const std::string& text) {
  std::string compact;
  for (char c : text)
    if (c != ' ') compact += c == 'x' ? 'X' : c;
  std::size_t marker = compact.find("(X");
  if (marker == std::string::npos || compact.find(')') == std::string::npos) return 1;
  std::string number = compact.substr(marker + 2, 100);
  std::size_t close = number.find(')');
  long long value = 0;
  // A malformed marker must not stop the pages that print the cell, and a
  // negative count would subtract the cell from the quote: count it once.
  if (close == std::string::npos || !parse_integer(number.substr(0, close), value) || value < 0 || value > INT_MAX)
    return 1;
  return static_cast<int>(value);
}
