#include "model/layout/outline_queries.h"

#include <algorithm>
#include <stdexcept>

#include "model/layout/cell_walls.h"
#include "model/state/current_cell.h"

std::string outline_winding(const Tcell& cell) {
  if (cell.walls.empty()) return "ANTIORARIO";
  double right = cell.walls.front().x1;
  for (const Tlinea& wall : cell.walls) right = std::max({right, wall.x1, wall.x2});
  const Tlinea* right_wall = nullptr;
  for (const Tlinea& wall : cell.walls)
    if (wall.x1 == right && wall.x2 == right) right_wall = &wall;
  return right_wall && right_wall->y2 <= right_wall->y1 ? "ORARIO" : "ANTIORARIO";
}

bool outline_is_closed(const Tcell& cell) {
  const std::size_t count = cell.walls.size();
  if (count < 4) return false;
  for (std::size_t i = 0; i < count; ++i) {
    const Tlinea& previous = cell.walls[(i + count - 1) % count];
    const Tlinea& wall = cell.walls[i];
    if (previous.x2 != wall.x1 || previous.y2 != wall.y1) return false;
  }
  return true;
}

bool wall_overlap_test(const Tcell& cell, int wall_index) {
  const Tlinea& wall = cell.walls.at(static_cast<std::size_t>(wall_index));
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
