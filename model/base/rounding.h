// Rounding and the text of sizes, shared by every part of the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Round to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// whatever the floating-point rounding mode. NaN gives 0; values beyond the
// integer range give its nearest end.
std::int64_t Round(double value);

// Truncation toward zero, with the same limits.
std::int64_t Trunc(double value);

// The text of a size used as a lookup key: at most 15 significant digits, no
// trailing zeros, "." as separator (1000.0 -> "1000", 914.4 -> "914.4").
std::string size_key(double value);

// Key comparison that treats "," and "." alike.
bool keys_equal(std::string_view a, std::string_view b);
