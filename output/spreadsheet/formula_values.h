// The results of the sheet's formulas, which the file carries as their cached
// values, so a reader that does not calculate still sees the amounts. The
// formulas are the export's own: cell references, numbers, "+", "-", "*" and
// SUM over a range of one column or row.
#pragma once

#include <map>
#include <utility>

#include "output/spreadsheet/workbook.h"

// The result of every formula cell by (row, column). An empty cell counts as
// 0; SUM passes over texts. Raises std::invalid_argument for a formula outside
// that grammar, a text in arithmetic, or a formula that refers to itself.
std::map<std::pair<int, int>, double> formula_results(const Worksheet& sheet);
