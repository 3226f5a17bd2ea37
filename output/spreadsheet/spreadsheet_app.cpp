#include "output/spreadsheet/spreadsheet_app.h"

#include <stdexcept>

#include "model/state/ui_seam.h"
#include "output/spreadsheet/workbook_template.h"
#include "output/spreadsheet/xlsx_file.h"

void SpreadsheetApp::open_template(const std::string& path) {
  book_ = read_workbook_template(path);
  template_path_ = path;
}

void SpreadsheetApp::copy_row(int template_row, int row) {
  const auto& templates = book_.sheets.at(1).rows;
  auto found = templates.find(template_row);
  if (found == templates.end())
    throw std::out_of_range("The template " + template_path_ + " has no row " + std::to_string(template_row) +
                            ": it is damaged.");
  book_.sheets.at(0).rows[row] = found->second;
}

void SpreadsheetApp::set_cell(int column, int row, CellValue value) {
  book_.sheets.at(0).rows[row].cells[column].value = std::move(value);
}

void SpreadsheetApp::make_visible(const std::string& path) {
  write_xlsx_file(path, quote_sheet());
  ui().open_with_desktop(path);
}
