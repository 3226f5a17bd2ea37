#include "output/spreadsheet/workbook_template.h"

#include <cctype>
#include <vector>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/state/text_table.h"

namespace {

class TemplateParser {
 public:
  TemplateParser(Workbook& book, const std::string& source)
      : quote_(book.sheets[0]), rows_(book.sheets[1]), source_(source) {}

  void line(const std::string& text, std::size_t number);

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw FileError(source_ + ", line " + std::to_string(number_) + ": " + what);
  }
  int column(std::string_view letters) const;
  double number(std::string_view text) const;
  Border border(std::string_view text) const;
  void width(const std::vector<std::string>& fields);
  void page(const std::vector<std::string>& fields);
  void row(const std::vector<std::string>& fields);
  void style_word(std::string_view word, SheetRow& row, std::vector<CellStyle*>& styles) const;

  Worksheet& quote_;
  Worksheet& rows_;
  const std::string& source_;
  std::size_t number_ = 0;
};

int TemplateParser::column(std::string_view letters) const {
  int column = 0;
  for (char c : letters) {
    if (c < 'A' || c > 'Z' || column > 1000) fail("not a column: " + std::string(letters));
    column = column * 26 + (c - 'A' + 1);
  }
  if (column == 0) fail("a column is missing");
  return column;
}

double TemplateParser::number(std::string_view text) const {
  double value = 0;
  if (!parse_double(text, value) || value < 0 || value > 500) fail("not a size: " + std::string(text));
  return value;
}

Border TemplateParser::border(std::string_view text) const {
  if (text == "thin") return Border::thin;
  if (text == "medium") return Border::medium;
  if (text == "double") return Border::double_line;
  fail("not a border line: " + std::string(text));
}

void TemplateParser::width(const std::vector<std::string>& fields) {
  if (fields.size() != 3) fail("a width needs a column and a size");
  quote_.column_widths[column(fields[1])] = number(fields[2]);
}

void TemplateParser::page(const std::vector<std::string>& fields) {
  if (fields.size() != 4 || fields[1] != "A4" || (fields[2] != "portrait" && fields[2] != "landscape") ||
      fields[3] != "fit-width")
    fail("the page is \"A4\", \"portrait\" or \"landscape\", \"fit-width\"");
  quote_.page = PageSetup{true, fields[2] == "portrait", true};
}

void TemplateParser::style_word(std::string_view word, SheetRow& row, std::vector<CellStyle*>& styles) const {
  std::size_t equals = word.find('=');
  std::string_view key = word.substr(0, equals);
  std::string_view value = equals == std::string_view::npos ? std::string_view() : word.substr(equals + 1);
  if (word == "bold") {
    for (CellStyle* style : styles) style->bold = true;
  } else if (key == "size") {
    for (CellStyle* style : styles) style->font_size = number(value);
  } else if (key == "height") {
    row.height = number(value);
  } else if (key == "top" || key == "bottom") {
    for (CellStyle* style : styles) (key == "top" ? style->top : style->bottom) = border(value);
  } else if (key == "format" && !value.empty()) {
    for (CellStyle* style : styles) style->number_format = std::string(value);
  } else {
    fail("unknown style word: " + std::string(word));
  }
}

void TemplateParser::row(const std::vector<std::string>& fields) {
  if (fields.size() < 3 || fields.size() > 4) fail("a row needs its number, its columns and its style");
  long long index = 0;
  if (!parse_integer(fields[1], index) || index < 1 || index > 100) fail("not a template row: " + fields[1]);
  SheetRow& row = rows_.rows[static_cast<int>(index)];
  std::vector<CellStyle*> styles;
  if (fields[2] != "-") {
    std::size_t colon = fields[2].find(':');
    int first = column(std::string_view(fields[2]).substr(0, colon));
    int last = colon == std::string::npos ? first : column(std::string_view(fields[2]).substr(colon + 1));
    if (last < first) fail("columns out of order: " + fields[2]);
    for (int c = first; c <= last; ++c) styles.push_back(&row.cells[c].style);
  }
  if (fields.size() < 4) return;
  std::string_view words = fields[3];
  while (!words.empty()) {
    std::size_t blank = words.find(' ');
    if (blank != 0) style_word(words.substr(0, blank), row, styles);
    words = blank == std::string_view::npos ? std::string_view() : words.substr(blank + 1);
  }
}

void TemplateParser::line(const std::string& text, std::size_t number) {
  number_ = number;
  if (trim_blanks(text).empty() || text.front() == '#') return;
  std::vector<std::string> fields = split_tab_fields(text);
  if (fields[0] == "width") return width(fields);
  if (fields[0] == "page") return page(fields);
  if (fields[0] == "row") return row(fields);
  fail("unknown line: " + fields[0]);
}

}  // namespace

Workbook parse_workbook_template(std::string_view text, const std::string& source) {
  Workbook book;
  book.sheets.resize(2);
  book.sheets[0].name = "Preventivo";
  book.sheets[1].name = "Modello";
  TemplateParser parser(book, source);
  std::vector<std::string> lines = split_lines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) parser.line(lines[i], i + 1);
  return book;
}

Workbook read_workbook_template(const std::string& path) {
  return parse_workbook_template(read_file_bytes(path), path);
}
