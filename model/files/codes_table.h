// The price and code table user/codici.dat, stored scrambled: a header line,
// then one tab-separated row per code with one availability column per
// structure type. Prices and weights are written with "," as the decimal
// separator, whatever the locale.
#pragma once

#include <string>

#include "model/base/prices.h"
#include "model/base/records.h"

// Reads CodesTable, one option per element of StructureTypes in each row. A
// row written before the catalogue's last types were added lacks their
// options: they are read as empty (not available) and said once, as no damage.
// A damaged row (one whose price is beyond kLargestPrice too) is passed over
// and every readable row kept; the damage is reported to the user, and the
// file is kept as it was before its next write.
// A missing or unreadable file is reported as such and gives an empty table.
void read_codes_table();
// Writes CodesTable to user/codici.dat (a damaged file read before is kept
// beside it first); raises FileError.
void write_codes_table();

// One row of the table file, its fields cut at single tabs, with option_count
// options (those a shorter row lacks empty). Raises FileError saying what is
// wrong with it.
Tcodice parse_code_row(const std::string& line, std::size_t option_count);

// The plain content of a code table, and its safe scrambled write.
std::string codes_table_text(const Tdb_codici& rows);
void write_codes_table_file(const std::string& path, const Tdb_codici& rows);
