#include "model/layout/shelf_patterns.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "model/base/rounding.h"
#include "model/files/text_io.h"
#include "model/layout/cell_walls.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"

namespace {

constexpr double SpecialHeight = 1850.0;
const std::string SpecialHeightPattern = "100100100100";
constexpr int CustomShelvesQuestion = 107;

// Sets a slot (counted from 1) when the pattern has it.
void set_slot(std::string& pattern, std::int64_t slot) {
  if (slot >= 1 && slot <= static_cast<std::int64_t>(pattern.size())) pattern[static_cast<std::size_t>(slot - 1)] = '1';
}

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

int slot_count(double height) { return static_cast<int>(Round((height - 200.0) / 150.0) + 1); }

std::string shelf_pattern(int n, double height) {
  int slots = slot_count(height);
  std::string pattern(static_cast<std::size_t>(std::max(slots, 0)), '0');
  if (n == 1) set_slot(pattern, 1);
  if (n == 2) {
    set_slot(pattern, 1);
    set_slot(pattern, slots);
  }
  if (height == SpecialHeight) slots = 12;
  if (n > 2) {
    set_slot(pattern, 1);
    double step = static_cast<double>(Trunc(static_cast<double>(slots - 1) / (n - 1)));
    // A step of 0 or less only reaches slot 1 again, so a corrupt shelf count
    // of millions need not be walked through.
    double position = 0.0;
    for (int i = 1; i < n && step > 0.0; ++i) {
      position += step;
      set_slot(pattern, Round(position) + 1);
    }
  }
  if (height == SpecialHeight) pattern = SpecialHeightPattern;
  return pattern;
}

std::string fit_shelf_pattern(const std::string& old_pattern, int n, double height) {
  std::size_t wanted = shelf_pattern(n, height).size();
  std::string result;
  int kept = 0;
  for (auto slot = old_pattern.rbegin(); slot != old_pattern.rend() && result.size() < wanted; ++slot) {
    result.insert(result.begin(), kept >= n ? '0' : *slot);
    if (*slot == '1') ++kept;
  }
  return result;
}

int shelf_count(const std::string& pattern) {
  return static_cast<int>(std::count(pattern.begin(), pattern.end(), '1'));
}

bool confirm_if_custom_shelves() {
  for (const Tlinea& wall : current_cell().walls)
    for (const Tmodulo& bay : wall.modules)
      if (bay.custom_shelves == 1) return ui().ask_yes_no(lang_text(CustomShelvesQuestion));
  return true;
}

int parse_multiplier(const std::string& text) {
  std::string compact;
  for (char c : text)
    if (c != ' ') compact += c == 'x' ? 'X' : c;
  std::size_t marker = compact.find("(X");
  if (marker == std::string::npos || compact.find(')') == std::string::npos) return 1;
  std::string number = compact.substr(marker + 2, 100);
  std::size_t close = number.find(')');
  long long value = 0;
  // A malformed marker must not stop the pages that print the cell, and a
  // negative count would subtract the cell from the quote: count it once.
  if (close == std::string::npos || !parse_integer(number.substr(0, close), value) || value < 0 || value > INT_MAX)
    return 1;
  return static_cast<int>(value);
}

Tstringlist split_to_string_list(const std::string& text, const std::string& delimiter) {
  Tstringlist parts;
  std::size_t start = 0;
  if (!delimiter.empty()) {
    for (std::size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, start)) {
      parts.push_back(text.substr(start, at - start));
      start = at + delimiter.size();
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string expand_module_template(const std::string& title_template, int cell_index) {
  const Tcell& cell = Cells.at(static_cast<std::size_t>(cell_index));
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

std::string outline_winding(const Tcell& cell) {
  if (cell.walls.empty()) return "ANTIORARIO";
  double right = cell.walls.front().x1;
  for (const Tlinea& wall : cell.walls) right = std::max({right, wall.x1, wall.x2});
  const Tlinea* right_wall = nullptr;
  for (const Tlinea& wall : cell.walls)
    if (wall.x1 == right && wall.x2 == right) right_wall = &wall;
  return right_wall && right_wall->y2 <= right_wall->y1 ? "ORARIO" : "ANTIORARIO";
}

bool wall_overlap_test(int wall_index, int cell_index) {
  const Tcell& cell = Cells.at(static_cast<std::size_t>(cell_index));
  return wall_overlap_test(cell.walls.at(static_cast<std::size_t>(wall_index)), cell);
}

bool wall_overlap_test(const Tlinea& wall, const Tcell& cell) {
  Tvec2 direction = wall_direction(wall);
  for (const Tlinea& other : cell.walls) {
    Tvec2 a = wall_start(other) - wall_start(wall);
    Tvec2 b = wall_end(other) - wall_start(wall);
    if (vec_dot(vec_normalize(a), wall_normal(wall)) <= 0.0) continue;
    double pa = vec_dot(a, direction);
    double pb = vec_dot(b, direction);
    bool within = pa > 0.0 && pa < wall.length;
    bool straddles_start = pa != 0.0 && pb != 0.0 && (pa < 0.0) != (pb < 0.0);
    if (within || straddles_start) return true;
  }
  return false;
}

bool neighbour_wall_is_opening(int wall_index) {
  const Tcell& cell = current_cell();
  if (wall_index < 0 || static_cast<std::size_t>(wall_index) >= cell.walls.size())
    throw std::out_of_range("the cell has no wall " + std::to_string(wall_index));
  const Tlinea& previous = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, wall_index))];
  const Tlinea& next = cell.walls[static_cast<std::size_t>(next_wall_index(cell, wall_index))];
  return previous.kind == 0 || next.kind == 0;
}

bool wall_both_ends_bounded(int wall_index) {
  const Tlinea& wall = current_cell().walls.at(static_cast<std::size_t>(wall_index));
  return wall.start_bounded && wall.end_bounded;
}

std::string comma_to_point(std::string text) {
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

int pack_rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }
