#include "model/state/text_table.h"

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/state/ui_seam.h"

Tstringlist split_tab_fields(const std::string& line) {
  Tstringlist fields;
  std::size_t start = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

void load_text_table(const std::string& file_name, Tres& table) {
  std::string content;
  try {
    content = read_file_bytes(file_name);
  } catch (const FileError&) {
    ui().show_message(read_error_text(file_name));
    return;
  }
  Tres loaded;
  for (const std::string& line : split_lines(content)) loaded.push_back(split_tab_fields(line));
  table = std::move(loaded);
}
