#include "rounding.h"

#include <charconv>
#include <cmath>

std::int64_t Round(double value) {
  double whole = std::floor(value);
  double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<std::int64_t>(whole);
}

std::int64_t Trunc(double value) { return static_cast<std::int64_t>(std::trunc(value)); }

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
