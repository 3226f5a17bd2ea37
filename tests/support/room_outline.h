// Walls of a room outline built from its corner points, for tests and
// benchmarks that need rooms without drawing them.
#pragma once

#include <cstddef>
#include <string>
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

// A closed room of 4000 x 3000 whose right wall's normal points into the room,
// as one damaged digit of a project file leaves it: the outline fails the
// geometry check. The other normals point out of the room.
inline Tcell room_with_a_turned_normal(const std::string& name) {
  Tcell cell;
  cell.name = name;
  cell.wall_thickness = 60.0;
  cell.walls = walls_through({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}});
  const Tvec2 normals[] = {{0, -1}, {-1, 0}, {0, 1}, {-1, 0}};  // the second turned in
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    cell.walls[i].normal_x = normals[i].x;
    cell.walls[i].normal_y = normals[i].y;
  }
  cell.outline_closed = true;
  return cell;
}
