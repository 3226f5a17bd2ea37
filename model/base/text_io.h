// The line conventions of the program's text files: one value per line, CR LF
// line ends, numbers with "." whatever the locale, Booleans as 1 and 0.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/code_page.h"
#include "model/base/file_io.h"

// The bounds of the texts the program keeps, in bytes of UTF-8. Each text has
// one bound, the same in the window where it is typed or pasted and in the
// reader of the file it is stored in, so nothing the user typed is cut or
// called damage at the next start.
// A cell's or a customer's name and fields, a note, a company line, a
// translation: far more than any real one (the longest shipped translation
// has 141 bytes), and little enough for any window.
inline constexpr std::size_t kTextBytes = 4096;
// The short strings: the date, number, reference, sender, notes and drawing
// of a quote, and the fields of the project index.
inline constexpr std::size_t kShortStringBytes = 255;

// Builds the content of a text file in memory, one value per line. A line
// break inside a text is written as a blank, so a value is always one line.
// A number that is not finite raises FileError naming the record and field:
// no reader accepts one, so writing it would make the file unreadable.
class TextWriter {
 public:
  void line(std::string_view text);
  void integer(long long value);
  void integers(std::initializer_list<long long> values);  // one a line
  void boolean(bool value);
  void character(char value);
  void number_f(double value, std::string_view field);   // fixed, two decimals, right-aligned in 8
  void number_f0(double value, std::string_view field);  // fixed, two decimals, no padding
  void number_e(double value, std::string_view field);   // scientific in 23 characters

  // The record the following numbers belong to, as the refusal names it.
  void set_record(std::string record) { record_ = std::move(record); }

  std::string take() { return std::move(text_); }

 private:
  void check_finite(double value, std::string_view field) const;

  std::string text_;
  std::string record_;
};

// Reads the lines of a text file in memory. Every read past the end, or of a
// line that does not hold what is asked, raises FileError naming the source and line.
// A line that is not UTF-8 is read in legacy_code_page (model/base/code_page.h).
class TextReader {
 public:
  TextReader(std::string_view content, std::string source, CodePage legacy_code_page);

  bool at_end() const { return next_ >= line_count_; }
  std::size_t remaining() const { return line_count_ - next_; }

  std::string line();
  std::string short_string();  // cut to kShortStringBytes; a longer line is noted as text() notes it
  // A line that becomes a name, a caption or another text a window shows, cut
  // to kTextBytes without splitting a character; a longer line is noted, as
  // damage, with its line number.
  std::string text();
  long long integer();
  int int32();
  void int32s(std::initializer_list<int*> fields);  // one a line, into each field in turn
  bool boolean();                                   // exactly 1 is true
  // A count of elements that each take lines_per_element more lines; a count
  // the rest of the file cannot hold fails, so a damaged count never sizes a list.
  std::size_t count(std::size_t lines_per_element = 1);
  char character();
  double number();  // any of the three written forms

  [[noreturn]] void fail(const std::string& what) const;
  // Notes what the line just read lost at reading; the file still loads.
  void note(const std::string& what);
  // What was noted, each naming its line ("line 12: ..."), in file order.
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  // The next line cut to most_bytes without splitting a character, noted when cut.
  std::string cut_line(std::size_t most_bytes);

  // Lines are cut from the content as they are read, so a large file is not
  // held twice over as a list of line strings.
  std::string content_;
  std::size_t position_ = 0;  // where the next line starts
  std::size_t line_count_ = 0;
  std::size_t next_ = 0;
  std::string source_;
  std::vector<std::string> notes_;
  CodePage legacy_code_page_;
};

// Splits text into lines at LF, dropping a CR before it; a final line end does
// not make an extra empty line.
std::vector<std::string> split_lines(std::string_view text);
// The same, each line as UTF-8 (text_as_utf8): the lines of a file the old program may have written.
std::vector<std::string> split_lines(std::string_view text, CodePage legacy_code_page);

// The three written forms of a Double.
std::string format_f(double value);
std::string format_f0(double value);
std::string format_e(double value);
// The shortest general form (at most 15 significant digits, no trailing
// zeros) with the given decimal separator: 12.5 -> "12,5" with ','.
std::string format_general(double value, char separator = '.');
// Fixed with the given decimals (brought into 0..40) and separator, locale-independent.
std::string format_fixed(double value, int decimals, char separator = '.');

// The text without the blanks and tabs around it (and a stray CR at its end).
std::string_view trim_blanks(std::string_view text);

// Parsers of one field, locale-independent. They accept blanks around the
// number; decimal_separator is the only separator accepted. False on any other text.
bool parse_integer(std::string_view text, long long& value);
bool parse_double(std::string_view text, double& value, char decimal_separator = '.');

// The text cut to at most most_bytes. Valid UTF-8 loses whole characters
// only, never part of a letter; any other text (the old program's texts,
// written one byte a letter) is cut at most_bytes itself. A text converted to
// UTF-8 on reading is cut after its conversion, so what is kept is what is written.
std::string cut_text(std::string_view text, std::size_t most_bytes);
// cut_text to kShortStringBytes.
std::string cut_short_string(std::string_view text);
// The note of a text of size bytes cut to most_bytes, for a reader's list of damage.
std::string cut_text_note(std::size_t size, std::size_t most_bytes);

// True when a line holds nothing but blanks and control characters: what a
// trim of both ends leaves empty. Readers skip such lines.
bool is_blank_line(std::string_view line);
