#include "model/layout/corner_joints.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "model/catalogue/compact_codes.h"
#include "model/layout/cell_walls.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/current_cell.h"

namespace {

// Gives every bay of the wall the corner bay's pattern fitted to the wall.
// A fit that keeps no shelf is not taken: a wall without shelves would stop
// carrying bays on the next layout, and its neighbours' runs would move.
void inherit_corner_pattern(Tlinea& wall, const Tmodulo& corner_bay) {
  const std::string pattern = fit_shelf_pattern(corner_bay.shelf_pattern, wall.shelf_count, wall.module_height);
  const int shelves = shelf_count(pattern);
  if (shelves == 0) return;
  for (Tmodulo& bay : wall.modules) {
    bay.shelf_pattern = pattern;
    bay.shelf_count = shelves;
    bay.custom_shelves = 1;
  }
  wall.shelf_count = shelves;
}

// The bay a frame refers to, or null for none (also for an index that the
// run does not have, as loaded data may hold).
const Tmodulo* bay_at(const Tlinea& wall, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= wall.modules.size()) return nullptr;
  return &wall.modules[static_cast<std::size_t>(index)];
}

// Whether a free module's end frame on the side of the given side flag stands
// beside a fixed compact module: its own code, or a module coupled to it there.
bool end_beside_fixed_compact(const Tcell& cell, std::size_t index, SideFlag side_flag) {
  const Tmodulo_agg& m = cell.free_modules[index];
  if (is_fixed_compact_code(m.code)) return true;
  if (m.side_flags[side_flag] != 1) return false;
  return std::any_of(cell.free_modules.begin(), cell.free_modules.end(), [&](const Tmodulo_agg& f) {
    return f.coupled_with == static_cast<int>(index) && is_fixed_compact_code(f.code);
  });
}

}  // namespace

void join_corner_modules() {
  Tcell& cell = current_cell();
  for (int i = 0; i < static_cast<int>(cell.walls.size()); ++i) {
    Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
    if (w.module_count <= 0) continue;
    const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, i))];
    const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, i))];
    if (p.modules.size() >= 2 && has_start_join(w) && w.module_height < p.modules.back().height)
      inherit_corner_pattern(w, p.modules.back());
    if (n.modules.size() >= 2 && has_end_join(w) && w.module_height < n.modules.front().height)
      inherit_corner_pattern(w, n.modules.front());
  }
}

void compute_end_frame_heights() { compute_cell_end_frame_heights(current_cell()); }

void compute_cell_end_frame_heights(Tcell& cell) {
  for (Tlinea& wall : cell.walls) {
    for (Ttestata& frame : wall.end_frames) {
      const Tmodulo* before = bay_at(wall, frame.module_before);
      const Tmodulo* after = bay_at(wall, frame.module_after);
      frame.height = std::max(before ? before->height : 0.0, after ? after->height : 0.0);
      frame.beside_fixed_compact =
          (before && is_fixed_compact_code(before->group_code)) || (after && is_fixed_compact_code(after->group_code));
    }
  }
  for (std::size_t i = 0; i < cell.free_modules.size(); ++i) {
    Tmodulo_agg& m = cell.free_modules[i];
    // A frame shared with a fixed compact module is as tall as that module.
    m.frame_flag_a = end_beside_fixed_compact(cell, i, kInnerFrameA);
    m.frame_height_a = m.frame_flag_a ? kFixedCompactHeight : m.height;
    m.frame_flag_b = end_beside_fixed_compact(cell, i, kInnerFrameB);
    m.frame_height_b = m.frame_flag_b ? kFixedCompactHeight : m.height;
  }
}
