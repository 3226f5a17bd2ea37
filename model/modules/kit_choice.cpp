#include "model/modules/kit_choice.h"

#include <cstddef>

#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "model/state/text_table.h"

namespace {

// The field of a table row, empty when the row is short.
const std::string& field(const Tstringlist& row, std::size_t column) {
  static const std::string none;
  return column < row.size() ? row[column] : none;
}

std::string length_choice(const Tstringlist& row) { return field(row, 0) + "-" + field(row, 1); }

}  // namespace

void load_kit_lists() {
  load_text_table(program_path("data/CV_kits.txt"), KitTable);
  load_text_table(program_path("data/CV_kits_larg.txt"), KitWidthTable);
}

std::vector<std::string> kit_width_items() {
  std::vector<std::string> items;
  for (std::size_t r = 1; r < KitWidthTable.size(); ++r) items.push_back(field(KitWidthTable[r], 0));
  return items;
}

std::vector<std::string> kit_length_items() {
  std::vector<std::string> items;
  for (std::size_t r = 1; r < KitTable.size(); ++r) items.push_back(length_choice(KitTable[r]));
  return items;
}

std::string find_kit_for_size(const std::string& width, const std::string& length) {
  if (width.empty() || length.empty()) return {};
  std::string suffix;
  for (std::size_t r = 1; r < KitWidthTable.size(); ++r) {
    if (field(KitWidthTable[r], 0) == width) suffix = field(KitWidthTable[r], 1);
  }
  double depth = 0.0;
  if (!parse_double(comma_to_point(width), depth)) return {};
  std::string code;
  for (std::size_t r = 1; r < KitTable.size(); ++r) {
    const Tstringlist& row = KitTable[r];
    double overall = 0.0;
    if (length_choice(row) != length || !parse_double(comma_to_point(field(row, 0)), overall)) continue;
    code = field(row, 4) + suffix;
    Tcorvane& t = AppState.compact_template;
    t.depth = depth;
    t.overall_length = overall;
    t.extent_x = overall;
    t.extent_y = depth;
    t.orientation = 'H';
    t.kit_code = code;
    t.unit_depths.clear();
    for (const std::string& part : split_to_string_list(field(row, 3), " ")) {
      if (!part.empty()) t.unit_depths.push_back(part);
    }
  }
  return code;
}
