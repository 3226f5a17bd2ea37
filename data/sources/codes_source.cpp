#include "sources/codes_source.h"

#include <algorithm>

#include "model/base/text_io.h"
#include "model/files/codes_table.h"
#include "sources/source_text.h"

const std::vector<CodeSourceFile>& code_source_files() {
  static const std::vector<CodeSourceFile> files{{"frames.tsv", {"TE", "TI", "TS"}},
                                                 {"shelves.tsv", {"R"}},
                                                 {"joints.tsv", {"G"}},
                                                 {"compact.tsv", {"KG"}},
                                                 {"trolleys.tsv", {"RG", "RGF", "PRG", "OV"}}};
  return files;
}

std::vector<std::string> code_source_rows(std::string_view text) {
  std::vector<std::string> rows = content_lines(text);
  if (!rows.empty()) rows.erase(rows.begin());
  return rows;
}

std::vector<std::string> code_rows_of(const Tdb_codici& table, const std::vector<std::string>& tipos) {
  Tdb_codici family;
  std::copy_if(table.begin(), table.end(), std::back_inserter(family),
               [&](const Tcodice& row) { return std::find(tipos.begin(), tipos.end(), row.tipo) != tipos.end(); });
  std::vector<std::string> lines = split_lines(codes_table_text(family));
  lines.erase(lines.begin());  // the file's header
  return lines;
}
