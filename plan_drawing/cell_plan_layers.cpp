#include "plan_drawing/cell_plan_layers.h"

#include <cstddef>
#include <vector>

#include "model/base/wall_faces.h"
#include "model/layout/cell_walls.h"
#include "plan_drawing/plan_shapes.h"

void draw_wall_faces(PlanPainter& painter, const Tcell& cell, const PlanStyle& style) {
  const std::vector<WallFace> outer = closed_wall_faces(cell, cell.wall_thickness);
  const std::vector<WallFace> inner = closed_wall_faces(cell, -cell.clearance);
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    painter.set_pen(style.face_pen(cell.walls[i]));
    painter.segment(painter.at(outer[i].start), painter.at(outer[i].end));
  }
  painter.set_pen(style.clearance_pen);
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    if (cell.walls[i].kind == 1) painter.segment(painter.at(inner[i].start), painter.at(inner[i].end));
    painter.segment(painter.at(inner[i].start), painter.at(wall_start(cell.walls[i])));
  }
}

void draw_compact_groups(PlanPainter& painter, const Tcell& cell, const PlanStyle& style) {
  painter.set_pen(style.group_pen);
  painter.set_fill(style.group_pen.colour);
  for (const Tcorvane& group : cell.compact_groups) draw_compact_group(painter, group);
}
