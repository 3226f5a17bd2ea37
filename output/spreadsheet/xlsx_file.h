// Writes a sheet as an .xlsx file: numbers, texts (always stored as text),
// formulas with their cached results, styles, column widths and the page
// set-up. The numbers in the file never depend on the process locale.
#pragma once

#include <string>

#include "output/spreadsheet/workbook.h"

// Writes sheet as the only sheet of the workbook at path, through a temporary
// file renamed over it. Raises FileError with the old file intact.
void write_xlsx_file(const std::string& path, const Worksheet& sheet);
