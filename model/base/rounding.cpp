#include "model/base/rounding.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// A whole double as an integer; NaN gives 0 and values beyond the range the
// nearest end, so a damaged size read from a file can never make the
// conversion undefined.
std::int64_t saturated(double whole) {
  constexpr double limit = 9223372036854775808.0;  // 2^63
  if (std::isnan(whole)) return 0;
  if (whole >= limit) return std::numeric_limits<std::int64_t>::max();
  if (whole < -limit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(whole);
}

}  // namespace

std::int64_t Round(double value) {
  if (!std::isfinite(value)) return saturated(value);
  double whole = std::floor(value);
  double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return saturated(whole);
}

std::int64_t Trunc(double value) { return saturated(std::trunc(value)); }

std::string size_key(double value) {
  if (value == 0.0) return "0";  // also turns -0.0 into "0"
  char text[64];
  // Fast paths, for drawings of millions of numbers: whole numbers, and values
  // whose shortest exact form has at most 15 digits, are already what the
  // 15-digit general form gives.
  double magnitude = std::abs(value);
  if (magnitude < 1e15 && value == std::trunc(value)) {
    auto result = std::to_chars(text, text + sizeof text, static_cast<long long>(value));
    return std::string(text, result.ptr);
  }
  if (magnitude >= 1e-4 && magnitude < 1e15) {
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    int digits = 0;
    bool significant = false;
    for (const char* c = text; c < result.ptr; ++c) {
      if (*c < '0' || *c > '9') continue;
      significant = significant || *c != '0';
      if (significant) ++digits;
    }
    if (digits <= 15) return std::string(text, result.ptr);
  }
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
  return std::string(text, result.ptr);
}

bool keys_equal(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char ca = a[i] == ',' ? '.' : a[i];
    char cb = b[i] == ',' ? '.' : b[i];
    if (ca != cb) return false;
  }
  return true;
}
