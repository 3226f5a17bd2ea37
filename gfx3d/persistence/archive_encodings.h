// Encodings of archive values: the 80-bit extended float and the wide and
// UTF-8 strings that older archives may hold.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gfx3d/math/vector_types.h"

// UTF-8 bytes to UTF-16 code units; continuation bytes are taken as they come,
// a sequence cut short by the end of the data ends there.
std::u16string Utf8ToWideString(const std::string& bytes);
// UTF-16 code units to UTF-8; a lone surrogate becomes U+FFFD.
std::string WideStringToUtf8(const std::u16string& units);

// The 10-byte little-endian 80-bit extended form of a value, and back.
std::array<std::uint8_t, 10> EncodeExtended(Extended value);
Extended DecodeExtended(const std::array<std::uint8_t, 10>& bytes);
