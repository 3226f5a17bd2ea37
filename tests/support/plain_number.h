// A number as a file or a tool writes it, always with a point: std::stod and
// strtod follow the process locale, which Qt sets from the environment, and
// would stop at the point under a comma locale.
#pragma once

#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>

// The whole text must be the number, so "1920,4" fails rather than reads 1920.
inline double plain_number(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::invalid_argument("not a plain number: '" + std::string(text) + "'");
  return value;
}
