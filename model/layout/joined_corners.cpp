#include "model/layout/joined_corners.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "model/layout/cell_walls.h"
#include "model/layout/module_lengths.h"

namespace {

// Half the bay's extent along x and along y on the plan.
Tvec2 half_extent(const Tmodulo& bay) {
  return bay.orientation == 'H' ? vec_make(bay.length / 2, bay.width / 2) : vec_make(bay.width / 2, bay.length / 2);
}

// How far apart two bays stand on the plan (the larger of the gaps along x and y).
double bay_separation(const Tmodulo& a, const Tmodulo& b) {
  const Tvec2 ha = half_extent(a);
  const Tvec2 hb = half_extent(b);
  return std::max(std::fabs(a.x - b.x) - ha.x - hb.x, std::fabs(a.y - b.y) - ha.y - hb.y);
}

bool runs_meet(const Tcell& cell, int corner) {
  const Tlinea& w = cell.walls[static_cast<std::size_t>(corner)];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, corner))];
  const bool marked = (w.end_join_high && !w.modules.empty()) || (n.start_join_high && !n.modules.empty());
  if (!marked) return true;
  if (w.modules.empty() || n.modules.empty()) return false;
  const double gap = straight_at_end(w) ? kBayPitchExtra : kUprightGap;
  return std::fabs(bay_separation(w.modules.back(), n.modules.front()) - gap) < kLengthTolerance;
}

}  // namespace

void unjoin_corner(Tcell& cell, int corner) {
  Tlinea& w = cell.walls[static_cast<std::size_t>(corner)];
  Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, corner))];
  w.end_join_high = w.end_join_low = false;
  n.start_join_high = n.start_join_low = false;
}

int first_corner_apart(const Tcell& cell) {
  for (int i = 0; i < static_cast<int>(cell.walls.size()); ++i)
    if (!runs_meet(cell, i)) return i;
  return -1;
}
