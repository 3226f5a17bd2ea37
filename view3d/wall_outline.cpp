#include "view3d/wall_outline.h"

#include <algorithm>

#include "model/base/wall_faces.h"
#include "model/layout/outline_queries.h"

bool outline_closes(const Tcell& cell) {
  if (cell.walls.empty()) return false;
  const Tlinea& first = cell.walls.front();
  const Tlinea& last = cell.walls.back();
  return last.x2 == first.x1 && last.y2 == first.y1;
}

std::vector<PlanContour> wall_contours(const Tcell& cell) {
  const bool clockwise = outline_winding(cell) == "ORARIO";
  const double t = cell.wall_thickness;
  PlanContour outer, room;
  // The walls' outer faces meet at the outer corners: each face starts where the previous one ends.
  for (const WallFace& face : closed_wall_faces(cell, t)) outer.push_back({face.start.x, face.start.y});
  for (const Tlinea& w : cell.walls) room.push_back({w.x1, w.y1});
  if (clockwise) {
    std::reverse(outer.begin(), outer.end());
    std::reverse(room.begin(), room.end());
  }
  std::vector<PlanContour> contours{outer, room};
  for (const Tlinea& w : cell.walls) {
    if (w.kind != 0) continue;
    PlanContour opening{{w.x2, w.y2},
                        {w.x2 + t * w.normal_x, w.y2 + t * w.normal_y},
                        {w.x1 + t * w.normal_x, w.y1 + t * w.normal_y},
                        {w.x1, w.y1}};
    if (!clockwise) std::reverse(opening.begin(), opening.end());
    contours.push_back(opening);
  }
  return contours;
}
