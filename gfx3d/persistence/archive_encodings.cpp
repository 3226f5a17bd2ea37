#include "gfx3d/persistence/archive_encodings.h"

#include <cmath>

namespace {

constexpr int kExponentBias = 16383;
constexpr std::uint16_t kExponentAllOnes = 0x7FFF;
constexpr std::uint64_t kIntegerBit = 0x8000000000000000ull;

// Continuation bytes after a lead byte, and what the shifted sum exceeds the code point by.
int ContinuationCount(std::uint8_t lead) {
  if (lead < 0xC0) return 0;
  if (lead < 0xE0) return 1;
  if (lead < 0xF0) return 2;
  if (lead < 0xF8) return 3;
  if (lead < 0xFC) return 4;
  return 5;
}
constexpr std::uint32_t kUtf8Offsets[6] = {0, 0x3080, 0xE2080, 0x3C82080, 0xFA082080, 0x82082080};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string Utf8ToWideString(const std::string& bytes) {
  std::u16string result;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const int extra = ContinuationCount(static_cast<std::uint8_t>(bytes[i]));
    if (i + static_cast<std::size_t>(extra) >= bytes.size() && extra > 0) break;  // cut short at the end
    std::uint32_t c = 0;
    for (int k = 0; k <= extra; ++k) {
      if (k > 0) c <<= 6;
      c += static_cast<std::uint8_t>(bytes[i++]);
    }
    c -= kUtf8Offsets[extra];
    if (c <= 0xFFFF) {
      result += static_cast<char16_t>(c);
    } else if (c <= 0x10FFFF) {
      c -= 0x10000;
      result += static_cast<char16_t>(0xD800 + (c >> 10));
      result += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      result += u'\uFFFD';
    }
  }
  return result;
}

std::string WideStringToUtf8(const std::u16string& units) {
  std::string result;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      AppendUtf8(result, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[++i] - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(result, 0xFFFD);
    } else {
      AppendUtf8(result, unit);
    }
  }
  return result;
}

// Built from the value's parts, so it does not depend on how the compiler lays out long double.
std::array<std::uint8_t, 10> EncodeExtended(Extended value) {
  std::uint16_t exponent = 0;
  std::uint64_t mantissa = 0;
  if (std::isnan(value)) {
    exponent = kExponentAllOnes;
    mantissa = kIntegerBit | (kIntegerBit >> 1);
  } else if (std::isinf(value)) {
    exponent = kExponentAllOnes;
    mantissa = kIntegerBit;
  } else if (value != 0) {
    int binaryExponent = 0;
    const Extended fraction = std::frexp(std::fabs(value), &binaryExponent);  // in [0.5, 1)
    mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    const int biased = binaryExponent - 1 + kExponentBias;
    if (biased > 0) {
      exponent = static_cast<std::uint16_t>(biased);
    } else {
      mantissa = 1 - biased < 64 ? mantissa >> (1 - biased) : 0;  // denormal
    }
  }
  if (std::signbit(value)) exponent |= 0x8000;
  std::array<std::uint8_t, 10> bytes{};
  for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mantissa >> (8 * i));
  bytes[8] = static_cast<std::uint8_t>(exponent);
  bytes[9] = static_cast<std::uint8_t>(exponent >> 8);
  return bytes;
}

Extended DecodeExtended(const std::array<std::uint8_t, 10>& bytes) {
  std::uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | bytes[static_cast<std::size_t>(i)];
  const int signAndExponent = bytes[8] | (bytes[9] << 8);
  const bool negative = (signAndExponent & 0x8000) != 0;
  const int exponent = signAndExponent & 0x7FFF;
  Extended magnitude;
  if (exponent == kExponentAllOnes) {
    magnitude = (mantissa << 1) == 0 ? INFINITY : NAN;
  } else {
    const int scale = (exponent == 0 ? 1 : exponent) - kExponentBias - 63;
    magnitude = std::ldexp(static_cast<Extended>(mantissa), scale);
  }
  return negative ? -magnitude : magnitude;
}
