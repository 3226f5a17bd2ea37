// The sources of the default price and code table: one tab-separated file per
// family of parts, each a header line and then rows exactly as the table file
// stores them (decimal commas, one option column per structure type).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/base/records.h"

struct CodeSourceFile {
  std::string name;                // file name under data/codes/
  std::vector<std::string> tipos;  // the TIPO keys its rows hold
};

// The source files in the order their rows make up the table.
const std::vector<CodeSourceFile>& code_source_files();

// The rows of a source file, its header line dropped.
std::vector<std::string> code_source_rows(std::string_view text);

// The rows of a table whose TIPO is one of tipos, written as the table file
// writes them, one a line.
std::vector<std::string> code_rows_of(const Tdb_codici& table, const std::vector<std::string>& tipos);
