#include "output/spreadsheet/xlsx_file.h"

#include <locale.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <filesystem>
#include <map>

#include "model/base/file_io.h"
#include "output/spreadsheet/formula_values.h"

namespace {

// The C library formats the numbers of the file; with a comma locale they
// would come out as "37,5". This thread uses the C numeric rules while it writes.
class CNumericLocale {
 public:
  CNumericLocale() : c_(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))) {
    if (c_) previous_ = uselocale(c_);
  }
  ~CNumericLocale() {
    if (!c_) return;
    uselocale(previous_);
    freelocale(c_);
  }
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;

 private:
  locale_t c_;
  locale_t previous_ = static_cast<locale_t>(0);
};

// A private file the library writes before the result is moved into place.
class TemporaryFile {
 public:
  TemporaryFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rackwright-xlsx-XXXXXX").string();
    int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) throw FileError("Cannot make a temporary file in " + pattern);
    ::close(descriptor);
    path_ = pattern;
  }
  ~TemporaryFile() { ::unlink(path_.c_str()); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

uint8_t border_style(Border border) {
  switch (border) {
    case Border::thin:
      return LXW_BORDER_THIN;
    case Border::medium:
      return LXW_BORDER_MEDIUM;
    case Border::double_line:
      return LXW_BORDER_DOUBLE;
    case Border::none:
      break;
  }
  return LXW_BORDER_NONE;
}

class XlsxWriter {
 public:
  explicit XlsxWriter(const std::string& path) : book_(workbook_new(path.c_str())) {
    if (!book_) throw FileError("Cannot start the spreadsheet " + path);
  }
  ~XlsxWriter() {
    if (book_) workbook_close(book_);
  }
  XlsxWriter(const XlsxWriter&) = delete;
  XlsxWriter& operator=(const XlsxWriter&) = delete;

  void write(const Worksheet& sheet);
  void close(const std::string& target);

 private:
  lxw_format* format(const CellStyle& style);
  void write_cell(lxw_worksheet* out, int row, int column, const SheetCell& cell, double result);

  lxw_workbook* book_;
  std::map<CellStyle, lxw_format*> formats_;
};

lxw_format* XlsxWriter::format(const CellStyle& style) {
  if (style == CellStyle{}) return nullptr;
  auto [found, added] = formats_.try_emplace(style, nullptr);
  if (!added) return found->second;
  lxw_format* made = workbook_add_format(book_);
  if (style.bold) format_set_bold(made);
  if (style.font_size > 0) format_set_font_size(made, style.font_size);
  if (style.top != Border::none) format_set_top(made, border_style(style.top));
  if (style.bottom != Border::none) format_set_bottom(made, border_style(style.bottom));
  if (!style.number_format.empty()) format_set_num_format(made, style.number_format.c_str());
  return found->second = made;
}

void XlsxWriter::write_cell(lxw_worksheet* out, int row, int column, const SheetCell& cell, double result) {
  auto r = static_cast<lxw_row_t>(row - 1);
  auto c = static_cast<lxw_col_t>(column - 1);
  lxw_format* style = format(cell.style);
  if (const auto* number = std::get_if<double>(&cell.value)) {
    worksheet_write_number(out, r, c, *number, style);
  } else if (const auto* text = std::get_if<std::string>(&cell.value)) {
    worksheet_write_string(out, r, c, text->c_str(), style);
  } else if (const auto* formula = std::get_if<Formula>(&cell.value)) {
    worksheet_write_formula_num(out, r, c, ("=" + formula->text).c_str(), style, result);
  } else if (style) {
    worksheet_write_blank(out, r, c, style);
  }
}

void XlsxWriter::write(const Worksheet& sheet) {
  std::map<std::pair<int, int>, double> results = formula_results(sheet);
  lxw_worksheet* out = workbook_add_worksheet(book_, sheet.name.empty() ? nullptr : sheet.name.c_str());
  if (!out) throw FileError("Cannot add the sheet " + sheet.name);
  for (const auto& [column, width] : sheet.column_widths)
    worksheet_set_column(out, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1), width, nullptr);
  if (sheet.page.a4) worksheet_set_paper(out, 9);
  if (sheet.page.portrait)
    worksheet_set_portrait(out);
  else
    worksheet_set_landscape(out);
  if (sheet.page.fit_to_width) worksheet_fit_to_pages(out, 1, 0);
  for (const auto& [row, content] : sheet.rows) {
    if (content.height > 0) worksheet_set_row(out, static_cast<lxw_row_t>(row - 1), content.height, nullptr);
    for (const auto& [column, cell] : content.cells) {
      auto result = results.find({row, column});
      write_cell(out, row, column, cell, result == results.end() ? 0.0 : result->second);
    }
  }
}

void XlsxWriter::close(const std::string& target) {
  lxw_error error = workbook_close(book_);
  book_ = nullptr;
  if (error != LXW_NO_ERROR) throw FileError("Cannot write the spreadsheet " + target + ": " + lxw_strerror(error));
}

}  // namespace

void write_xlsx_file(const std::string& path, const Worksheet& sheet) {
  TemporaryFile scratch;
  {
    CNumericLocale c_numbers;
    XlsxWriter writer(scratch.path());
    writer.write(sheet);
    writer.close(path);
  }
  write_file_safely(path, read_file_bytes(scratch.path()));
}
