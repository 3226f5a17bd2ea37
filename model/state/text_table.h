// Tab-separated text tables: the maximum-load table and the kit tables.
#pragma once

#include <string>

#include "model/base/records.h"

// One list of fields per line; row 0 is the header. On a read error the user
// is told and table keeps what it held.
void load_text_table(const std::string& file_name, Tres& table);

// The fields of one line, split at every tab.
Tstringlist split_tab_fields(const std::string& line);
