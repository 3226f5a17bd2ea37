#include "model/layout/load_labels.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "model/base/rounding.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/layout/cell_walls.h"
#include "model/state/globals.h"

namespace {

// A module standing within this distance of a bay's face counts as standing against it.
constexpr double kAgainstTolerance = 5.0;

// A load column as a number. A short row or a text that is not a number gives
// nothing: a damaged table must not stop the plan from drawing.
std::optional<double> load_number(const Tstringlist& row, std::size_t column) {
  if (column >= row.size()) return std::nullopt;
  double value = 0.0;
  if (!parse_double(comma_to_point(row[column]), value)) return std::nullopt;
  return value;
}

// The column's text as the table writes it, a number or not ("on request").
std::string load_text(const Tstringlist& row, std::size_t column) {
  return column < row.size() ? row[column] : std::string();
}

// The last row after the header keyed by the length, or nullptr.
const Tstringlist* last_row_for(double length) {
  const std::string key = size_key(length);
  const Tstringlist* found = nullptr;
  for (std::size_t r = 1; r < MaxLoadTable.size(); ++r) {
    const Tstringlist& row = MaxLoadTable[r];
    if (!row.empty() && keys_equal(row[0], key)) found = &row;
  }
  return found;
}

// A missing row or an unusable column counts as a load of 0.
double load_column(double length, std::size_t column) {
  const Tstringlist* row = last_row_for(length);
  return row ? load_number(*row, column).value_or(0.0) : 0.0;
}

template <typename Module>
std::string label_of(const Module& module) {
  const Tstringlist* row = last_row_for(module.length);
  if (!row) return {};
  std::string value = load_text(*row, 1);
  if (module.heavy) value = load_text(*row, 2);
  if (module.custom_load) value = size_key(module.custom_load_value);
  return value.empty() ? std::string() : "Max " + value + " Kg";
}

template <typename Module>
void clear_overrides(Module& module) {
  module.heavy = false;
  module.custom_load = false;
  module.custom_load_value = 0.0;
}

template <typename Module>
void set_custom_load(Module& module, double value) {
  module.custom_load = true;
  module.custom_load_value = value;
}

// A free module stands against a bay when it runs across the bay, its centre
// lies within the bay's length and its end reaches the bay's face.
bool stands_against(const Tmodulo& bay, const Tmodulo_agg& free) {
  const double reach = bay.width / 2 + free.length / 2 + kAgainstTolerance;
  if (bay.orientation == 'V' && free.orientation == 'H')
    return std::abs(free.y - bay.y) <= bay.length / 2 && std::abs(free.x - bay.x) <= reach;
  if (bay.orientation == 'H' && free.orientation == 'V')
    return std::abs(free.x - bay.x) <= bay.length / 2 && std::abs(free.y - bay.y) <= reach;
  return false;
}

void clear_cell_overrides(Tcell& cell) {
  for (Tlinea& wall : cell.walls)
    for (Tmodulo& bay : wall.modules) clear_overrides(bay);
  for (Tmodulo_agg& free : cell.free_modules) clear_overrides(free);
}

// Corners joined high limit a bay by its neighbour; corners joined low call
// for the heavy variant.
void mark_corners(Tcell& cell, int w) {
  Tlinea& wall = cell.walls[static_cast<std::size_t>(w)];
  if (wall.modules.empty()) return;
  const Tlinea& previous = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, w))];
  const Tlinea& next = cell.walls[static_cast<std::size_t>(next_wall_index(cell, w))];
  Tmodulo& first = wall.modules.front();
  Tmodulo& last = wall.modules.back();
  if (wall.start_join_high && !previous.modules.empty())
    set_custom_load(first, max_load_pair(previous.modules.back().length, first.length));
  if (wall.end_join_high && !next.modules.empty())
    set_custom_load(last, max_load_pair(next.modules.front().length, last.length));
  if (wall.start_join_low) first.heavy = true;
  if (wall.end_join_low) last.heavy = true;
}

// The box of a wall's bay centres and the largest half size of its bays: a
// free module whose centre is not near this box stands against none of them,
// which spares testing every bay of the cell against every free module.
struct BayBox {
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  double half_size = 0;
};

BayBox bay_box(const Tlinea& wall) {
  BayBox box{wall.modules[0].x, wall.modules[0].x, wall.modules[0].y, wall.modules[0].y, 0};
  for (const Tmodulo& bay : wall.modules) {
    box.min_x = std::min(box.min_x, bay.x);
    box.max_x = std::max(box.max_x, bay.x);
    box.min_y = std::min(box.min_y, bay.y);
    box.max_y = std::max(box.max_y, bay.y);
    box.half_size = std::max({box.half_size, bay.width / 2, bay.length / 2});
  }
  return box;
}

bool may_reach(const BayBox& box, const Tmodulo_agg& free) {
  constexpr double kSlack = 1.0;  // keeps the prefilter safe from rounding
  const double reach = box.half_size + free.length / 2 + kAgainstTolerance + kSlack;
  return free.x >= box.min_x - reach && free.x <= box.max_x + reach && free.y >= box.min_y - reach &&
         free.y <= box.max_y + reach;
}

// A bay with a free module against it is marked heavy; the free module is
// limited by the last such bay, walls and bays taken in order.
void mark_free_modules(Tcell& cell) {
  std::vector<BayBox> boxes(cell.walls.size());
  for (std::size_t w = 0; w < cell.walls.size(); ++w)
    if (!cell.walls[w].modules.empty()) boxes[w] = bay_box(cell.walls[w]);
  for (Tmodulo_agg& free : cell.free_modules) {
    for (std::size_t w = 0; w < cell.walls.size(); ++w) {
      if (cell.walls[w].modules.empty() || !may_reach(boxes[w], free)) continue;
      for (Tmodulo& bay : cell.walls[w].modules) {
        if (!stands_against(bay, free)) continue;
        bay.heavy = true;
        set_custom_load(free, max_load_pair(bay.length, free.length));
      }
    }
  }
}

}  // namespace

std::string max_load_label(const Tmodulo& bay) { return label_of(bay); }

std::string max_load_label_free(const Tmodulo_agg& module) { return label_of(module); }

double max_load_lookup(double length) { return load_column(length, 1); }

double max_load_pair(double neighbour_length, double own_length) {
  return std::min(max_load_lookup(own_length), load_column(neighbour_length, 3));
}

void recompute_cell_load_overrides(Tcell& cell) {
  clear_cell_overrides(cell);
  for (int w = 0; w < static_cast<int>(cell.walls.size()); ++w) mark_corners(cell, w);
  mark_free_modules(cell);
}

void recompute_load_overrides() {
  for (Tcell& cell : Cells.edit_all()) recompute_cell_load_overrides(cell);
}
