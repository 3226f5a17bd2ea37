// The texts of the old program's files are single-byte, in the Windows code
// page of the language it ran in; the program keeps, shows and writes every
// text as UTF-8. A text read from a file passes through text_as_utf8 before
// it is cut to its bound, since a letter of one byte may become two.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class CodePage { Windows1250, Windows1252 };

// True when text is well-formed UTF-8: no overlong form, no surrogate,
// nothing beyond U+10FFFF.
bool is_valid_utf8(std::string_view text);
// The code points of well-formed UTF-8, or nothing when the bytes are not UTF-8.
std::optional<std::vector<std::uint32_t>> decode_utf8(std::string_view text);

// Appends the UTF-8 bytes of one code point.
void append_utf8(std::string& out, std::uint32_t code);

// A text read from a file, as UTF-8: valid UTF-8 stays as it is, any other
// text is read byte by byte in code_page. A byte the code page leaves
// unassigned becomes the control character of the same number, as Windows
// reads it.
std::string text_as_utf8(std::string_view text, CodePage code_page);
