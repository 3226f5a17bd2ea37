#include "model/quote/module_template.h"

#include <algorithm>
#include <vector>

#include "model/base/rounding.h"

namespace {

// Keeps each value once (exact equality), in the order first met.
void add_distinct(std::vector<double>& values, double value) {
  if (std::find(values.begin(), values.end(), value) == values.end()) values.push_back(value);
}

// The values ascending, as size texts joined by "/".
std::string joined_sizes(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::string text;
  for (double value : values) {
    if (!text.empty()) text += '/';
    text += size_key(value);
  }
  return text;
}

void replace_first(std::string& text, const std::string& marker, const std::string& replacement) {
  std::size_t at = text.find(marker);
  if (at != std::string::npos) text.replace(at, marker.size(), replacement);
}

}  // namespace

std::string expand_module_template(const std::string& title_template, const Tcell& cell) {
  std::vector<double> shelf_counts, widths, heights;
  auto collect = [&](int shelves, double width, double height) {
    add_distinct(shelf_counts, shelves);
    add_distinct(widths, width);
    add_distinct(heights, height);
  };
  for (const Tlinea& wall : cell.walls)
    for (const Tmodulo& bay : wall.modules) collect(bay.shelf_count, bay.width, bay.height);
  for (const Tmodulo_agg& module : cell.free_modules) collect(module.shelf_count, module.width, module.height);

  std::string text = title_template;
  replace_first(text, "%n", joined_sizes(shelf_counts));
  replace_first(text, "%l", joined_sizes(widths));
  replace_first(text, "%h", joined_sizes(heights));
  return text;
}
