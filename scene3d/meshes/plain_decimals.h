// Decimal numbers ("-12.5", "3", "1.5e-3") read straight from text to the
// nearest float, several times quicker than a general parse for the numbers
// text mesh files mostly hold. The text must be followed in memory by at
// least kDecimalPadding bytes, the first of them a zero: scans stop at that
// zero without a bounds check, and sixteen bytes are read at once.
#pragma once

#include <bit>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

inline constexpr std::size_t kDecimalPadding = 32;

namespace plain_decimals {

constexpr std::uint64_t kEveryByte = 0x0101010101010101;

inline bool Digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Sixteen bytes of text, the first in the lowest byte of low.
struct Window {
  std::uint64_t low;
  std::uint64_t high;
};

// Eight bytes of text, the first in the lowest byte.
inline std::uint64_t EightBytes(const char* p) {
  std::uint64_t word = 0;
  std::memcpy(&word, p, 8);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

// Which of the window's bytes are digits and which are points: a bit each,
// the first byte's lowest.
struct ByteClasses {
  unsigned digits;
  unsigned points;
};

#if defined(__SSE2__)
inline ByteClasses Classify(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i digits =
      _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(bytes, _mm_set1_epi8('9' + 1)));
  return {static_cast<unsigned>(_mm_movemask_epi8(digits)),
          static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'))))};
}
#else
// The same eight bytes at a time, exactly: no sum carries from one byte into
// the next. The bytes' high bits are gathered in order into the top byte.
inline unsigned HighBits(std::uint64_t bytes) {
  return static_cast<unsigned>((((bytes >> 7) & kEveryByte) * 0x0102040810204080) >> 56);
}

inline unsigned DigitBits(std::uint64_t word) {
  const std::uint64_t low = word & (0x7F * kEveryByte);
  return HighBits((low + (0x80 - '0') * kEveryByte) & ~(low + (0x80 - '9' - 1) * kEveryByte) & ~word);
}

inline unsigned PointBits(std::uint64_t word) {
  const std::uint64_t other = word ^ ('.' * kEveryByte);
  return HighBits(~(((other & (0x7F * kEveryByte)) + 0x7F * kEveryByte) | other));
}

inline ByteClasses Classify(const char* p) {
  const std::uint64_t low = EightBytes(p);
  const std::uint64_t high = EightBytes(p + 8);
  return {DigitBits(low) | DigitBits(high) << 8, PointBits(low) | PointBits(high) << 8};
}
#endif

// The value of eight digits, less '0' each, the first in the lowest byte.
inline std::uint64_t EightDigits(std::uint64_t word) {
  constexpr std::uint64_t kPairs = 0x000000FF000000FF;
  word = word * 10 + (word >> 8);
  return (((word & kPairs) * 0x000F424000000064) + (((word >> 16) & kPairs) * 0x0000271000000001)) >> 32;
}

constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

// The window with the bytes after its byte at point (below fifteen) moved a
// byte down, over it.
inline Window WithoutPoint(Window window, int point) {
  if (point >= 8) {
    const std::uint64_t before = (std::uint64_t{1} << (8 * (point - 8))) - 1;
    return {window.low, (window.high & before) | (window.high >> 8 & ~before)};
  }
  const std::uint64_t before = (std::uint64_t{1} << (8 * point)) - 1;
  return {(window.low & before) | (window.low >> 8 & ~before) | window.high << 56, window.high >> 8};
}

// The value of the window's first count bytes, all digits (1 to 15).
// Below its digits a byte lacks nothing to subtract '0' from, so no borrow
// reaches them from the bytes after them, which are shifted out.
inline std::uint64_t Digits(Window window, int count) {
  constexpr std::uint64_t kZeros = '0' * kEveryByte;
  if (count <= 8) return EightDigits((window.low - kZeros) << (64 - 8 * count));
  return EightDigits(window.low - kZeros) * kPowersOfTen[count - 8] +
         EightDigits((window.high - kZeros) << (128 - 8 * count));
}

// Whether a double, within two units in its last place of the true value,
// may lie on the other side of a point halfway between two floats than the
// true value; rounding it to a float could then go the wrong way. (The values
// checked all lie in the range of normal floats, where a float's last place
// is 2^29 of a double's.)
inline bool NearFloatMidpoint(double value) {
  constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t kMidpoint = std::uint64_t{1} << 28;
  constexpr std::uint64_t kMargin = 4;
  return ((std::bit_cast<std::uint64_t>(value) & kBelowFloat) - (kMidpoint - kMargin)) <= 2 * kMargin;
}

// The text from first to last parsed in full; false when it does not parse
// whole or lies beyond the floats.
inline bool ParsedWhole(const char* first, const char* last, float& value) {
  const auto [stop, error] = std::from_chars(first, last, value);
  return error == std::errc() && stop == last;
}

// digits * 10^exponent rounded once to the nearest float, for digits below
// 2^53 and a power between -22 and 22: one multiplication by the
// nearest double to the power lands within two units in the last place of
// the true value, so the nearest float to the product is the nearest float
// to the number unless the product lies that close to a point halfway
// between two floats; the text from first to last is then parsed in full.
// (A division by an exact power would round exactly but takes several times
// as long.)
inline float NearestFloat(std::uint64_t digits, int exponent, bool negative, const char* first, const char* last) {
  static constexpr double kPowers[] = {
      1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8,
      1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,  1e7,
      1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,  1e21, 1e22};
  // Signed: one instruction converts it.
  const double magnitude = static_cast<double>(static_cast<std::int64_t>(digits)) * kPowers[exponent + 22];
  float value = 0;
  if (NearFloatMidpoint(magnitude)) {
    ParsedWhole(first, last, value);
    return value;
  }
  return static_cast<float>(negative ? -magnitude : magnitude);
}

}  // namespace plain_decimals

// Reads the decimal number at `at`: an optional '-', digits with an optional
// '.' among or after them (at least one digit), and an optional exponent
// ('e' or 'E', an optional sign, digits). Its value is the one a full float
// parse of the number gives; false, leaving `at`, for text of another form
// and numbers beyond the floats. Advances `at` past the number on success;
// the caller checks that what follows cannot continue it.
//
// The end of the digits and points is found in sixteen bytes at once, so
// that the scan of the next number need not wait for this one's value. Up
// to fifteen digits with a power of ten within 22 either way are rounded
// here; longer or further numbers are parsed in full.
[[gnu::always_inline]] inline bool ScanPlainDecimal(const char*& at, float& value) {
  using namespace plain_decimals;
  const char* p = at;
  const bool negative = *p == '-';
  p += negative;
  const ByteClasses classes = Classify(p);
  // A set bit above the sixteen stops the count.
  int length = std::countr_zero(~(classes.digits | classes.points));
  const bool quick = length < 16;
  if (!quick)
    while (Digit(p[length]) || p[length] == '.') ++length;
  // At most one point among the digits of a quick number.
  const unsigned points = classes.points & ((1u << (quick ? length : 0)) - 1);
  const int whole = points ? std::countr_zero(points) : length;
  const int fraction = points ? length - whole - 1 : 0;
  const Window window{EightBytes(p), EightBytes(p + 8)};
  p += length;
  int exponent = -fraction;
  if (*p == 'e' || *p == 'E') {
    ++p;
    const bool below = *p == '-';
    p += *p == '-' || *p == '+';
    if (!Digit(*p)) return false;
    int power = 0;
    for (; Digit(*p); ++p)
      if (power < 1000) power = power * 10 + (*p - '0');
    exponent += below ? -power : power;
  }
  if (quick && (points & (points - 1)) == 0 && whole + fraction > 0 && exponent >= -22 && exponent <= 22) {
    const std::uint64_t digits = Digits(points ? WithoutPoint(window, whole) : window, whole + fraction);
    value = NearestFloat(digits, exponent, negative, at, p);
  } else if (!ParsedWhole(at, p, value)) {
    return false;
  }
  at = p;
  return true;
}
