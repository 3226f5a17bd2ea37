#include "model/layout/shelf_editing.h"

#include <cstddef>
#include <utility>

#include "model/base/rounding.h"
#include "model/layout/cell_walls.h"
#include "model/layout/finish_edit.h"
#include "model/layout/outline_queries.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/current_cell.h"

namespace {

// The neighbour bays of a lone selected wall bay: the bay before and after it
// on its wall, across a corner the last bay of the wall before and the first
// of the wall after; left and right swap on an anticlockwise outline.
void find_neighbours(const Tcell& cell, ShelvesForm& form) {
  const auto& walls = cell.walls;
  const Tlinea& wall = walls[static_cast<std::size_t>(form.wall)];
  const Tlinea& previous = walls[static_cast<std::size_t>(previous_wall_index(cell, form.wall))];
  const Tlinea& next = walls[static_cast<std::size_t>(next_wall_index(cell, form.wall))];
  const Tmodulo* before = nullptr;
  const Tmodulo* after = nullptr;
  if (form.module >= 1)
    before = &wall.modules[static_cast<std::size_t>(form.module - 1)];
  else if (!previous.modules.empty())
    before = &previous.modules.back();
  if (static_cast<std::size_t>(form.module) + 1 < wall.modules.size())
    after = &wall.modules[static_cast<std::size_t>(form.module + 1)];
  else if (!next.modules.empty())
    after = &next.modules.front();
  if (outline_winding(cell) == "ANTIORARIO") std::swap(before, after);
  if (before) form.left_pattern = before->shelf_pattern, form.left_height = before->height;
  if (after) form.right_pattern = after->shelf_pattern, form.right_height = after->height;
}

}  // namespace

ShelvesForm shelves_form_for_selection(const Tcell& cell, int shelf_count, double height) {
  ShelvesForm form;
  form.height = form.left_height = form.right_height = height;
  int count = 0, wall = -1, module = -1, free_module = -1;
  bool common = true;
  auto take = [&](const std::string& pattern) {
    if (count++ == 0)
      form.pattern = pattern;
    else if (pattern != form.pattern)
      common = false;
  };
  for (std::size_t w = 0; w < cell.walls.size(); ++w) {
    for (std::size_t m = 0; m < cell.walls[w].modules.size(); ++m) {
      if (!cell.walls[w].modules[m].selected) continue;
      take(cell.walls[w].modules[m].shelf_pattern);
      wall = static_cast<int>(w), module = static_cast<int>(m);
    }
  }
  for (std::size_t f = 0; f < cell.free_modules.size(); ++f) {
    if (!cell.free_modules[f].selected) continue;
    take(cell.free_modules[f].shelf_pattern);
    free_module = static_cast<int>(f);
  }
  if (!common) form.pattern = shelf_pattern(shelf_count, height);
  if (count == 1) {
    form.wall = wall, form.module = module, form.free_module = free_module;
    if (form.module >= 0) find_neighbours(cell, form);
  }
  return form;
}

int shelf_slot_at(const ShelvesForm& form, int y, int height) {
  const double top_above_floor = Round(form.height / kShelfDrawingMmPerPixel);
  const int slot = static_cast<int>(Round((y - height + top_above_floor) / kShelfSlotPitch));
  return slot >= 0 && static_cast<std::size_t>(slot) < form.pattern.size() ? slot : -1;
}

void toggle_shelf_slot(ShelvesForm& form, int slot) {
  if (slot < 0 || static_cast<std::size_t>(slot) >= form.pattern.size()) return;
  char& c = form.pattern[static_cast<std::size_t>(slot)];
  c = c == '1' ? '0' : '1';
}

void apply_shelves_form(const ShelvesForm& form) {
  const int count = shelf_count(form.pattern);
  auto write = [&](auto& module) {
    if (!module.selected) return;
    module.custom_shelves = 1;
    module.shelf_pattern = form.pattern;
    module.shelf_count = count;
  };
  Tcell& cell = current_cell();
  for (Tlinea& wall : cell.walls) {
    for (Tmodulo& bay : wall.modules) write(bay);
  }
  for (Tmodulo_agg& module : cell.free_modules) write(module);
  finish_edit(EditKind::changed, Views::plan);
}
