// The spreadsheet as the quote export drives it, with exactly the calls the
// export makes: open the template, copy a template row of sheet 2 and paste it
// onto a row of sheet 1, set a cell of sheet 1, and make the result visible,
// which writes it as an .xlsx file and opens it with the desktop's program.
#pragma once

#include <string>

#include "output/spreadsheet/workbook.h"

class SpreadsheetApp {
 public:
  // Reads the template description; raises FileError when it is missing or malformed.
  void open_template(const std::string& path);
  // Row template_row of sheet 2 replaces row row of sheet 1, styles and content.
  // Raises std::out_of_range, naming the template file, for a row it does not hold.
  void copy_row(int template_row, int row);
  // Cell (column, row) of sheet 1, 1-based, keeps its style and takes the value.
  void set_cell(int column, int row, CellValue value);
  // Writes sheet 1 with the cached result of every formula to path (safely;
  // FileError on failure) and hands it to the desktop to open.
  void make_visible(const std::string& path);

  const Worksheet& quote_sheet() const { return book_.sheets.at(0); }

 private:
  Workbook book_;
  std::string template_path_;
};
