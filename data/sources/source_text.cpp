#include "sources/source_text.h"

#include "model/files/file_io.h"
#include "model/files/text_io.h"

std::vector<std::string> content_lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::string& line : split_lines(text)) {
    if (line.empty() || line.front() == '#') continue;
    lines.push_back(std::move(line));
  }
  return lines;
}

std::pair<std::string, std::string> key_and_value(const std::string& line, const std::string& source) {
  std::size_t tab = line.find('\t');
  if (tab == std::string::npos) throw FileError(source + ": no tab in the line \"" + line + "\"");
  return {line.substr(0, tab), line.substr(tab + 1)};
}
