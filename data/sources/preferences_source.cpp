#include "sources/preferences_source.h"

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "sources/source_text.h"

namespace {

constexpr std::size_t kPreferenceLines = 33;

}  // namespace

std::vector<std::string> preferences_source_values(std::string_view text, const std::string& source) {
  std::vector<std::string> values;
  for (const std::string& line : content_lines(text)) values.push_back(key_and_value(line, source).second);
  if (values.size() != kPreferenceLines)
    throw FileError(source + ": " + std::to_string(values.size()) + " values instead of 33");
  return values;
}

std::string preferences_file_text(const std::vector<std::string>& values) {
  TextWriter file;
  for (const std::string& value : values) file.line(value);
  return file.take();
}
