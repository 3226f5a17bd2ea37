// The quote of the open project as a spreadsheet: per cell a heading, the
// column titles, one row per priced bill-of-materials line with its amount as
// a formula, the subtotal, the discount and the net total (or, in the GST
// market, the subtotal, goods and services tax and total rows), every figure
// a formula over the priced quote's lines and discount. The user edits
// quantities and prices there and saves the file.
#pragma once

#include <string>

#include "output/spreadsheet/spreadsheet_app.h"

// Fills sheet 1 of an opened template from Cells, QuoteDetails, CodesTable,
// QuoteHeader, Company and the translation table.
void write_quote_sheet(SpreadsheetApp& sheet);

// user/preventivo.xlsx, or the first free user/preventivo_<n>.xlsx: an earlier
// export, which the user may have edited and saved, is never replaced.
std::string spreadsheet_export_path();

// The print window's "Excel": the template, the quote, the file, the desktop's
// spreadsheet program. Raises FileError; no file is written then.
void export_quote_excel();
