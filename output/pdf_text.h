// The small pieces of PDF syntax the writer puts together: CR LF lines, text
// strings of the document information, dates and cross-reference entries.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

// Appends text followed by CR LF, the line end of every line of the file.
void add_line(std::string& out, std::string_view text);

// A text value for the document information, parentheses included. Plain
// ASCII becomes a literal string with "\", "(", ")" and line ends escaped, so
// any text reads back unchanged; other valid UTF-8 becomes UTF-16BE with a
// byte order mark, written in hexadecimal.
std::string pdf_text_string(std::string_view text);

// The date digits of a PDF date: year, month, day, hour, minutes, seconds.
std::string pdf_date_digits(const std::tm& time);

// One in-use entry of the cross-reference table without its line end: ten
// digits of offset, generation 00000, "n". With CR LF it is 20 bytes.
std::string xref_entry(std::size_t offset);
