#include "model/base/cell_extents.h"

Textents compute_cell_extents(const Tcell& cell) {
  Textents box{0.0, 0.0, 0.0, 0.0};
  if (cell.walls.empty()) return box;
  const Tlinea& first = cell.walls.front();
  box = {first.x1, first.x1, first.y1, first.y1};
  for (const Tlinea& wall : cell.walls) {
    for (double x : {wall.x1, wall.x2}) {
      if (x > box[0]) box[0] = x;
      if (x < box[1]) box[1] = x;
    }
    for (double y : {wall.y1, wall.y2}) {
      if (y > box[2]) box[2] = y;
      if (y < box[3]) box[3] = y;
    }
  }
  return box;
}
