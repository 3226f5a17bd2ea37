#include "sources/preferences_source.h"

#include "model/file_io.h"
#include "model/globals.h"
#include "model/text_io.h"
#include "sources/source_text.h"

namespace {

constexpr std::size_t PreferenceLines = 33;

// The values in file order, taken one after the other.
class ValueCursor {
 public:
  explicit ValueCursor(const std::vector<std::string>& values) : values_(values) {}

  const std::string& text() { return values_.at(next_++); }
  int integer() {
    const std::string& value = text();
    long long number = 0;
    if (!parse_integer(value, number))
      throw FileError("Preferences: line " + std::to_string(next_) + " is not an integer");
    return static_cast<int>(number);
  }

 private:
  const std::vector<std::string>& values_;
  std::size_t next_ = 0;
};

}  // namespace

std::vector<std::string> preferences_source_values(std::string_view text, const std::string& source) {
  std::vector<std::string> values;
  for (const std::string& line : content_lines(text)) values.push_back(key_and_value(line, source).second);
  if (values.size() != PreferenceLines)
    throw FileError(source + ": " + std::to_string(values.size()) + " values instead of 33");
  return values;
}

void fill_preferences(const std::vector<std::string>& values, Tvar_amb& state, Tazienda& company) {
  ValueCursor in(values);
  state.language = in.integer();
  state.optional_sizes = in.integer();
  state.product_switch = in.integer();
  state.max_length_index = in.integer();
  state.background_3d = in.integer();
  state.wall_transparency = in.integer();
  state.wall_height = in.integer();
  state.resolution_3d = in.integer();
  company.logo = in.text();
  company.currency = in.text();
  for (std::string& line : company.header_lines) line = in.text();
  for (std::string& line : company.more_lines) line = in.text();
  for (int& width : state.archive_col_widths) width = in.integer();
  state.inches = in.integer() != 0;
  state.unit_factor = state.inches ? MmPerInch : 1.0;
  state.decimals = in.integer();
  state.black_background = in.integer() != 0;
}
