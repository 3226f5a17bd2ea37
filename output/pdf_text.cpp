#include "pdf_text.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "model/base/code_page.h"

namespace {

bool is_ascii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string literal_string(std::string_view text) {
  std::string out = "(";
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '(':
        out += "\\(";
        break;
      case ')':
        out += "\\)";
        break;
      // A bare line end inside a string would read back as LF, whatever it was.
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out + ")";
}

void add_hex_unit(std::string& out, std::uint32_t unit) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(unit));
  out += digits;
}

std::string utf16_hex_string(const std::vector<std::uint32_t>& code_points) {
  std::string out = "<FEFF";
  for (std::uint32_t value : code_points) {
    if (value < 0x10000) {
      add_hex_unit(out, value);
    } else {
      add_hex_unit(out, 0xD800 + ((value - 0x10000) >> 10));
      add_hex_unit(out, 0xDC00 + ((value - 0x10000) & 0x3FF));
    }
  }
  return out + ">";
}

}  // namespace

void add_line(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

std::string pdf_text_string(std::string_view text) {
  if (is_ascii(text)) return literal_string(text);
  auto code_points = decode_utf8(text);
  return code_points ? utf16_hex_string(*code_points) : literal_string(text);
}

std::string pdf_date_digits(const std::tm& time) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%04d%02d%02d%02d%02d%02d", time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
                time.tm_hour, time.tm_min, time.tm_sec);
  return digits;
}

std::string xref_entry(std::size_t offset) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%010zu", offset);
  return std::string(digits) + " 00000 n";
}
