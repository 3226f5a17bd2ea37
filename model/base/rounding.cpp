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
