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

// The room most tests stand in: 4 x 3 m, drawn anticlockwise from the origin
// (bottom, right, top and left wall). Normals are left to compute_wall_normals.
inline std::vector<Tlinea> four_by_three_walls() { return walls_through({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}); }

// The 4 x 3 m room closed, its walls' normals pointing out of it, walls 60 mm thick.
inline Tcell four_by_three_room() {
  Tcell cell;
  cell.wall_thickness = 60.0;
  cell.walls = four_by_three_walls();
  const Tvec2 normals[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    cell.walls[i].normal_x = normals[i].x;
    cell.walls[i].normal_y = normals[i].y;
  }
  cell.outline_closed = true;
  return cell;
}

// The 4 x 3 m room with its right wall's normal turned into the room, as one
// damaged digit of a project file leaves it: the outline fails the geometry
// check.
inline Tcell room_with_a_turned_normal(const std::string& name) {
  Tcell cell = four_by_three_room();
  cell.name = name;
  cell.walls[1].normal_x = -1;
  return cell;
}
