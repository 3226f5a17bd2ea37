#include "model/layout/auto_fill.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/base/gst_market.h"
#include "model/base/part_placement.h"
#include "model/base/rounding.h"
#include "model/layout/cell_walls.h"
#include "model/layout/finish_edit.h"
#include "model/layout/layout_engine.h"
#include "model/layout/layout_passes.h"
#include "model/layout/module_lengths.h"
#include "model/layout/outline_queries.h"
#include "model/layout/undo_history.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"

namespace {

constexpr int kDefaultShelfCount = 4;

std::vector<int> selected_bay_walls(const Tcell& cell) {
  std::vector<int> walls;
  for (std::size_t i = 0; i < cell.walls.size(); ++i)
    if (cell.walls[i].selected && cell.walls[i].kind == 1) walls.push_back(static_cast<int>(i));
  return walls;
}

// Priority 0 is the first place of the fill order, the wall count - 1 the last.
void move_to_first_place(int wall) { set_wall_priority(wall, 0); }
void move_to_last_place(int wall) { set_wall_priority(wall, static_cast<int>(current_cell().walls.size()) - 1); }

// Several walls: bounded walls and the longest ones own their corners, walls
// beside an opening give way.
void reorder_fill_priorities(const std::vector<int>& walls, double longest) {
  for (int w : walls)
    if (wall_both_ends_bounded(w)) move_to_last_place(w);
  for (int w : walls)
    if (neighbour_wall_is_opening(w)) move_to_first_place(w);
  for (int w : walls)
    if (current_cell().walls[static_cast<std::size_t>(w)].length == longest) move_to_last_place(w);
}

void fill_pass(double module_length) {
  Tcell& cell = current_cell();
  const std::vector<int> walls = selected_bay_walls(cell);
  double longest = 0.0;
  for (int w : walls) longest = std::max(longest, cell.walls[static_cast<std::size_t>(w)].length);
  for (int w : walls) {
    Tlinea& wall = cell.walls[static_cast<std::size_t>(w)];
    if (wall.module_count != 0) continue;
    wall.show_dimensions = true;
    if (walls.size() == 1) move_to_first_place(w);
  }
  if (walls.size() > 1) reorder_fill_priorities(walls, longest);
  for (int w : walls) cell.walls[static_cast<std::size_t>(w)].module_count = 1;
  compute_usable_lengths();
  for (int w : walls) {
    const std::int64_t count = Round(wall_fill_length(w) / module_length);
    Tlinea& wall = cell.walls[static_cast<std::size_t>(w)];
    wall.module_count = static_cast<int>(std::max<std::int64_t>(count, 0));
    if (wall.shelf_count == 0) wall.shelf_count = kDefaultShelfCount;
    if (wall.module_height <= 0) wall.module_height = kDefaultModuleHeight;
    if (wall.module_depth <= 0) wall.module_depth = kDefaultModuleDepth;
  }
}

}  // namespace

void auto_fill_walls(double module_length) {
  // The second pass sizes the walls with the corners the first pass gave them.
  fill_pass(module_length);
  fill_pass(module_length);
  finish_edit(EditKind::laid_out_after_panel);
}

double standard_fill_length() { return is_gst_market(Company) ? 1100.0 : 1700.0; }
