// The template of the spreadsheet quote, read from its description shipped in
// data/: sheet 1 receives the quote (column widths, page set-up), sheet 2
// holds the formatted rows the export copies onto it.
#pragma once

#include <string>
#include <string_view>

#include "output/spreadsheet/workbook.h"

// Raises FileError naming the source and line for a line it cannot read.
Workbook parse_workbook_template(std::string_view text, const std::string& source);
// The template in the file at path; raises FileError when it is missing or malformed.
Workbook read_workbook_template(const std::string& path);
