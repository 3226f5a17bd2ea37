// Archives written out byte by byte in tests.
#pragma once

#include <initializer_list>
#include <string>

// The bytes given as numbers 0..255 (negative numbers as their low byte).
inline std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}
