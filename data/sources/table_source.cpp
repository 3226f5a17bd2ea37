#include "sources/table_source.h"

#include "model/base/text_io.h"
#include "model/state/text_table.h"

Tres parse_table_source(std::string_view text) {
  Tres table;
  for (const std::string& line : split_lines(text)) table.push_back(split_tab_fields(line));
  return table;
}

std::string table_source_text(const Tres& table) {
  std::string text;
  for (const Tstringlist& row : table) {
    for (std::size_t i = 0; i < row.size(); ++i) text += (i > 0 ? "\t" : "") + row[i];
    text += "\n";
  }
  return text;
}
