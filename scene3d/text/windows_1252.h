// The Windows-1252 code page: the character codes of the 3-D text's display
// lists, so that a text keeps its accented letters, the euro sign and the
// typographic quotes within one byte per character.
#pragma once

#include <string>
#include <string_view>

// The Unicode character of a code; 0 for the five codes the code page leaves undefined.
char32_t Windows1252ToUnicode(unsigned char code);
// The UTF-8 text's characters as code-page bytes; characters the code page lacks are left out.
std::string Utf8ToWindows1252(std::string_view utf8);
