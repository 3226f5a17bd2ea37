#include "scene3d/text/windows_1252.h"

#include <QList>
#include <QString>
#include <algorithm>
#include <array>

namespace {

// Codes 0x80 to 0x9F; the rest of the page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

char32_t Windows1252ToUnicode(unsigned char code) {
  if (code >= 0x80 && code < 0xA0) return kHighControls[code - 0x80u];
  return code;
}

std::string Utf8ToWindows1252(std::string_view utf8) {
  std::string bytes;
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (const char32_t c : text.toUcs4()) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      bytes.push_back(static_cast<char>(c));
      continue;
    }
    const auto* found = std::find(kHighControls.begin(), kHighControls.end(), c);
    if (found != kHighControls.end()) bytes.push_back(static_cast<char>(0x80 + (found - kHighControls.begin())));
  }
  return bytes;
}
