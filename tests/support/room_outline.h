// Walls of a room outline built from its corner points, for tests and
// benchmarks that need rooms without drawing them.
#pragma once

#include <cstddef>
#include <vector>

#include "model/base/records.h"
#include "support/plan_builders.h"

// Each wall runs from one corner to the next, the last back to the first;
// walls are ranked by their index. Normals are left to compute_wall_normals.
inline std::vector<Tlinea> walls_through(const std::vector<Tvec2>& corners) {
  std::vector<Tlinea> walls;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Tvec2& a = corners[i];
    const Tvec2& b = corners[(i + 1) % corners.size()];
    Tlinea wall = make_wall(a.x, a.y, b.x, b.y);
    wall.priority = static_cast<int>(i);
    walls.push_back(wall);
  }
  return walls;
}
