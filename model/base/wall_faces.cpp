#include "model/base/wall_faces.h"

#include "model/base/plane_vectors.h"

std::vector<WallFace> closed_wall_faces(const Tcell& cell, double offset) {
  std::vector<WallFace> faces;
  faces.reserve(cell.walls.size());
  for (const Tlinea& wall : cell.walls) {
    const Tvec2 shift = vec_make(offset * wall.normal_x, offset * wall.normal_y);
    faces.push_back({vec_make(wall.x1 + shift.x, wall.y1 + shift.y), vec_make(wall.x2 + shift.x, wall.y2 + shift.y)});
  }
  for (std::size_t i = 0; i < faces.size(); ++i) {
    WallFace& face = faces[i];
    WallFace& next = faces[(i + 1) % faces.size()];
    if (cell.walls[i].orientation == 'H') {
      face.end.x = next.start.x;
      next.start.y = face.end.y;
    } else {
      face.end.y = next.start.y;
      next.start.x = face.end.x;
    }
  }
  return faces;
}
