#include "output/spreadsheet/workbook.h"

const SheetCell* Worksheet::cell(int column, int row) const {
  auto found_row = rows.find(row);
  if (found_row == rows.end()) return nullptr;
  auto found = found_row->second.cells.find(column);
  return found == found_row->second.cells.end() ? nullptr : &found->second;
}

std::string column_letters(int column) {
  std::string letters;
  for (; column > 0; column = (column - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
  return letters;
}

std::string cell_name(int column, int row) { return column_letters(column) + std::to_string(row); }
