// The spreadsheet the quote export fills, held in memory: cells with a value
// and a style, rows, column widths and the page set-up of each sheet. A value
// is a number, a text or a formula by its type, so a text that looks like a
// formula or a number ("=X", "0123") stays text.
#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

enum class Border { none, thin, medium, double_line };

struct CellStyle {
  bool bold = false;
  double font_size = 0;  // points; 0 = the sheet's default
  Border top = Border::none;
  Border bottom = Border::none;
  std::string number_format;  // as the spreadsheet writes it: "#,##0.00", "0%"; empty = general

  auto operator<=>(const CellStyle&) const = default;
};

// A formula as the spreadsheet shows it after "=", with upper-case function names: "SUM(F6:F9)".
struct Formula {
  std::string text;
  bool operator==(const Formula&) const = default;
};

using CellValue = std::variant<std::monostate, double, std::string, Formula>;

struct SheetCell {
  CellValue value;
  CellStyle style;
};

struct SheetRow {
  double height = 0;               // points; 0 = automatic
  std::map<int, SheetCell> cells;  // by column, 1 = A
};

struct PageSetup {
  bool a4 = true;
  bool portrait = true;
  bool fit_to_width = true;
};

struct Worksheet {
  std::string name;
  std::map<int, double> column_widths;  // by column, in characters
  PageSetup page;
  std::map<int, SheetRow> rows;  // by row, 1 = first

  // The cell at (column, row), or nullptr when it holds nothing.
  const SheetCell* cell(int column, int row) const;
};

struct Workbook {
  std::vector<Worksheet> sheets;
};

// "A" for 1, "F" for 6, "AA" for 27.
std::string column_letters(int column);
// "F10" for (6, 10).
std::string cell_name(int column, int row);
