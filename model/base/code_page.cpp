#include "model/base/code_page.h"

#include <algorithm>
#include <array>

namespace {

// The characters of the bytes 0x80 to 0xFF in Windows-1250 (Central European).
constexpr std::array<std::uint16_t, 128> kWindows1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// The characters of the bytes 0x80 to 0x9F in Windows-1252 (Western); from
// 0xA0 on it is Latin-1, each byte the character of its own number.
constexpr std::array<std::uint16_t, 32> kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

std::uint32_t code_point_of(unsigned char byte, CodePage code_page) {
  if (byte < 0x80) return byte;
  if (code_page == CodePage::Windows1250) return kWindows1250[byte - 0x80u];
  return byte < 0xA0 ? kWindows1252[byte - 0x80u] : byte;
}

// The length of the UTF-8 character that starts at text[at], or 0 when no
// well-formed one starts there.
std::size_t utf8_character_bytes(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  const std::size_t bytes = lead >= 0xC2 && lead <= 0xDF   ? 2
                            : lead >= 0xE0 && lead <= 0xEF ? 3
                            : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                           : 0;
  if (bytes == 0 || at + bytes > text.size()) return 0;
  for (std::size_t i = at + 1; i < at + bytes; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  // The second byte rules out overlong forms, surrogates and code points past U+10FFFF.
  const unsigned char second = byte(at + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second > 0x8F))
    return 0;
  return bytes;
}

}  // namespace

std::optional<std::vector<std::uint32_t>> decode_utf8(std::string_view text) {
  std::vector<std::uint32_t> code_points;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t bytes = utf8_character_bytes(text, at);
    if (bytes == 0) return std::nullopt;
    std::uint32_t code = static_cast<unsigned char>(text[at]) & (bytes == 1 ? 0x7Fu : 0x7Fu >> bytes);
    for (std::size_t i = at + 1; i < at + bytes; ++i)
      code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
    code_points.push_back(code);
    at += bytes;
  }
  return code_points;
}

void append_utf8(std::string& out, std::uint32_t code) {
  const auto put = [&](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
  if (code < 0x80) {
    put(code);
  } else if (code < 0x800) {
    put(0xC0 | (code >> 6));
    put(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    put(0xE0 | (code >> 12));
    put(0x80 | ((code >> 6) & 0x3F));
    put(0x80 | (code & 0x3F));
  } else {
    put(0xF0 | (code >> 18));
    put(0x80 | ((code >> 12) & 0x3F));
    put(0x80 | ((code >> 6) & 0x3F));
    put(0x80 | (code & 0x3F));
  }
}

bool is_valid_utf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t bytes = utf8_character_bytes(text, at);
    if (bytes == 0) return false;
    at += bytes;
  }
  return true;
}

std::string text_as_utf8(std::string_view text, CodePage code_page) {
  if (is_valid_utf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (char c : text) append_utf8(out, code_point_of(static_cast<unsigned char>(c), code_page));
  return out;
}
