#include "model/base/text_io.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/base/code_page.h"
#include "model/base/rounding.h"

std::string_view trim_blanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::vector<std::string> split_lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::size_t stop = end == std::string_view::npos ? text.size() : end;
    std::size_t content_end = stop;
    if (content_end > start && text[content_end - 1] == '\r') --content_end;
    lines.emplace_back(text.substr(start, content_end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> split_lines(std::string_view text, CodePage legacy_code_page) {
  std::vector<std::string> lines = split_lines(text);
  for (std::string& line : lines) line = text_as_utf8(line, legacy_code_page);
  return lines;
}

std::string format_general(double value, char separator) {
  std::string text = size_key(value);
  std::replace(text.begin(), text.end(), '.', separator);
  return text;
}

std::string format_fixed(double value, int decimals, char separator) {
  // Past 40 decimals a double only gains zeros; the cap keeps the text within
  // the buffer whatever count a damaged setting asks for.
  constexpr int kMostDecimalsFormatted = 40;
  decimals = std::clamp(decimals, 0, kMostDecimalsFormatted);
  char text[320 + kMostDecimalsFormatted];  // the 309 digits of the largest double, sign, point and decimals
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  std::string out(text, result.ptr);
  if (out == "-0" || out.find_first_not_of("-0.") == std::string::npos) {
    if (!out.empty() && out[0] == '-') out.erase(0, 1);  // no "-0.00"
  }
  if (separator != '.') {
    for (char& c : out)
      if (c == '.') c = separator;
  }
  return out;
}

std::string format_f0(double value) { return format_fixed(value, 2); }

std::string format_f(double value) {
  std::string text = format_f0(value);
  if (text.size() < 8) text.insert(0, 8 - text.size(), ' ');
  return text;
}

std::string format_e(double value) {
  // " 1.70000000000000E+0003": sign or blank, one digit, 14 decimals, a four-digit exponent.
  char text[64];
  double magnitude = std::fabs(value);
  auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14);
  std::string mantissa_and_exponent(text, result.ptr);
  std::size_t e = mantissa_and_exponent.find('e');
  std::string mantissa = mantissa_and_exponent.substr(0, e);
  int exponent = e == std::string::npos ? 0 : std::atoi(mantissa_and_exponent.c_str() + e + 1);
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return std::string(std::signbit(value) && value != 0.0 ? "-" : " ") + mantissa + "E" + (exponent < 0 ? "-" : "+") +
         digits;
}

bool parse_integer(std::string_view text, long long& value) {
  text = trim_blanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool parse_double(std::string_view text, double& value, char decimal_separator) {
  text = trim_blanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  std::string normalised(text);
  if (decimal_separator != '.') {
    if (normalised.find('.') != std::string::npos) return false;
    for (char& c : normalised)
      if (c == decimal_separator) c = '.';
  }
  auto result = std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
  return result.ec == std::errc() && result.ptr == normalised.data() + normalised.size() && std::isfinite(value);
}

bool is_blank_line(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::string cut_text(std::string_view text, std::size_t most_bytes) {
  if (text.size() <= most_bytes) return std::string(text);
  std::size_t end = most_bytes;
  // In UTF-8 the bytes 0x80 to 0xBF only continue a character: stepping back
  // over them splits none. In any other text they are letters of their own.
  if (is_valid_utf8(text))
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

std::string cut_short_string(std::string_view text) { return cut_text(text, kShortStringBytes); }

std::string cut_text_note(std::size_t size, std::size_t most_bytes) {
  return "a text of " + std::to_string(size) + " bytes, more than the " + std::to_string(most_bytes) +
         " read; the rest is left out";
}

void TextWriter::line(std::string_view text) {
  std::size_t start = text_.size();
  text_.append(text);
  // A line break inside a value would shift every later value of the file.
  std::replace_if(
      text_.begin() + static_cast<std::ptrdiff_t>(start), text_.end(), [](char c) { return c == '\r' || c == '\n'; },
      ' ');
  text_.append("\r\n");
}
void TextWriter::integer(long long value) { line(std::to_string(value)); }
void TextWriter::integers(std::initializer_list<long long> values) {
  for (long long value : values) integer(value);
}
void TextWriter::boolean(bool value) { line(value ? "1" : "0"); }
void TextWriter::character(char value) { line(std::string(1, value)); }
void TextWriter::number_f(double value, std::string_view field) {
  check_finite(value, field);
  line(format_f(value));
}
void TextWriter::number_f0(double value, std::string_view field) {
  check_finite(value, field);
  line(format_f0(value));
}
void TextWriter::number_e(double value, std::string_view field) {
  check_finite(value, field);
  line(format_e(value));
}

void TextWriter::check_finite(double value, std::string_view field) const {
  if (std::isfinite(value)) return;
  const std::string where = record_.empty() ? std::string(field) : record_ + ", " + std::string(field);
  throw FileError("Cannot save: " + where + " is not a finite number; nothing was written.");
}

TextReader::TextReader(std::string_view content, std::string source, CodePage legacy_code_page)
    : content_(content), source_(std::move(source)), legacy_code_page_(legacy_code_page) {
  // As split_lines counts: one line per line end, and one for text after the last.
  line_count_ = static_cast<std::size_t>(std::count(content_.begin(), content_.end(), '\n'));
  if (!content_.empty() && content_.back() != '\n') ++line_count_;
}

void TextReader::fail(const std::string& what) const {
  throw FileError(source_ + ": line " + std::to_string(next_) + ": " + what);
}

std::string TextReader::line() {
  if (at_end()) {
    ++next_;
    fail("the file ends too early");
  }
  std::size_t end = content_.find('\n', position_);
  if (end == std::string::npos) end = content_.size();
  std::size_t content_end = end;
  if (content_end > position_ && content_[content_end - 1] == '\r') --content_end;
  const std::string_view text = std::string_view(content_).substr(position_, content_end - position_);
  position_ = end + 1;
  ++next_;
  return text_as_utf8(text, legacy_code_page_);
}

std::string TextReader::short_string() { return cut_line(kShortStringBytes); }

std::string TextReader::text() { return cut_line(kTextBytes); }

std::string TextReader::cut_line(std::size_t most_bytes) {
  std::string whole = line();
  if (whole.size() <= most_bytes) return whole;
  note(cut_text_note(whole.size(), most_bytes));
  return cut_text(whole, most_bytes);
}

void TextReader::note(const std::string& what) { notes_.push_back("line " + std::to_string(next_) + ": " + what); }

long long TextReader::integer() {
  long long value = 0;
  if (!parse_integer(line(), value)) fail("an integer was expected");
  return value;
}

int TextReader::int32() {
  long long value = integer();
  if (value < INT_MIN || value > INT_MAX) fail("the number is out of range");
  return static_cast<int>(value);
}

std::size_t TextReader::count(std::size_t lines_per_element) {
  long long value = integer();
  if (value < 0 || static_cast<unsigned long long>(value) > remaining() / lines_per_element)
    fail("the count " + std::to_string(value) + " does not fit the rest of the file");
  return static_cast<std::size_t>(value);
}

void TextReader::int32s(std::initializer_list<int*> fields) {
  for (int* field : fields) *field = int32();
}

bool TextReader::boolean() { return integer() == 1; }

char TextReader::character() {
  std::string text = line();
  return text.empty() ? ' ' : text[0];
}

double TextReader::number() {
  double value = 0.0;
  if (!parse_double(line(), value)) fail("a number was expected");
  return value;
}
