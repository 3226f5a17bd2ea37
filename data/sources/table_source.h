// The sources of the tab-separated tables (maximum loads, compact-shelving
// kits): the table as it is shipped, header row first.
#pragma once

#include <string>
#include <string_view>

#include "model/base/records.h"

// One list of fields per line, as the program's table loader makes them.
Tres parse_table_source(std::string_view text);
// The text of a table: fields joined by tabs, one row a line.
std::string table_source_text(const Tres& table);
