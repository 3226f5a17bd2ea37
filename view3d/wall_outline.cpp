#include "view3d/wall_outline.h"

#include <algorithm>

#include "model/layout/outline_queries.h"

namespace {

struct Segment {
  PlanPoint start, end;
};

// Each wall moved out by the thickness, its ends carried to the neighbours' outer lines.
std::vector<Segment> outer_lines(const Tcell& cell) {
  const double t = cell.wall_thickness;
  std::vector<Segment> lines;
  for (const Tlinea& w : cell.walls)
    lines.push_back({{w.x1 + t * w.normal_x, w.y1 + t * w.normal_y}, {w.x2 + t * w.normal_x, w.y2 + t * w.normal_y}});
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Segment& here = lines[i];
    Segment& next = lines[(i + 1) % lines.size()];
    if (cell.walls[i].orientation == 'H') {
      here.end.x = next.start.x;
      next.start.y = here.end.y;
    } else {
      here.end.y = next.start.y;
      next.start.x = here.end.x;
    }
  }
  return lines;
}

}  // namespace

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
  for (const Segment& line : outer_lines(cell)) outer.push_back(line.start);
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
