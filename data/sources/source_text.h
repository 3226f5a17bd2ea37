// Reading the readable sources of the shipped data set: UTF-8 text, one entry a
// line, with "#" comment lines and blank lines for the reader's sake only.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The bytes of a source as they are, once they are known to be UTF-8; raises
// FileError naming the source and the offset of the first byte that is not.
// (A source saved in a legacy code page would ship garbled texts.)
std::string checked_utf8(std::string bytes, const std::string& source);

// The lines of a source that carry content: comments and blank lines dropped,
// a CR before a line end ignored.
std::vector<std::string> content_lines(std::string_view text);

// The fields of a "key<TAB>value" line; raises FileError naming the source
// when the line has no tab.
std::pair<std::string, std::string> key_and_value(const std::string& line, const std::string& source);
