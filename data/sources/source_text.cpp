#include "sources/source_text.h"

#include <string>

#include "model/base/file_io.h"
#include "model/base/text_io.h"

namespace {

// The length of the well-formed UTF-8 sequence at the start of text, or 0:
// no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t utf8_sequence_length(std::string_view text) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}

}  // namespace

std::string checked_utf8(std::string bytes, const std::string& source) {
  std::string_view rest(bytes);
  while (!rest.empty()) {
    const std::size_t length = utf8_sequence_length(rest);
    if (length == 0)
      throw FileError(source + ": not UTF-8 at byte " + std::to_string(bytes.size() - rest.size()) +
                      "; save the file as UTF-8");
    rest.remove_prefix(length);
  }
  return bytes;
}

std::vector<std::string> content_lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::string& line : split_lines(text)) {
    if (line.empty() || line.front() == '#') continue;
    lines.push_back(std::move(line));
  }
  return lines;
}

std::pair<std::string, std::string> key_and_value(const std::string& line, const std::string& source) {
  std::size_t tab = line.find('\t');
  if (tab == std::string::npos) throw FileError(source + ": no tab in the line \"" + line + "\"");
  return {line.substr(0, tab), line.substr(tab + 1)};
}
