#include "plan_drawing/cell_plan_layers.h"

#include <cstddef>
#include <vector>

#include "model/base/plane_vectors.h"
#include "model/base/rounding.h"
#include "model/base/wall_faces.h"
#include "model/layout/cell_walls.h"
#include "plan_drawing/plan_bays.h"
#include "plan_drawing/plan_dimensions.h"
#include "plan_drawing/plan_shapes.h"

namespace {

// The wall's direction beside it: a line ending in a head of 10 pixels
// whatever the scale.
void draw_direction_arrow(PlanPainter& painter, const Tlinea& wall, double thickness) {
  const Tvec2 p1 = wall_start(wall), p2 = wall_end(wall), n = wall_normal(wall);
  const Tvec2 d = vec_normalize(p2 - p1), p = vec_make(d.y, -d.x);
  const double k = 1.5 * thickness;
  const QPoint a = painter.at(p1 + k * n + k * d);
  const QPoint b = painter.at(p2 + k * n - k * d);
  painter.segment(a, b);
  for (double side : {2.0, -2.0}) {
    const QPoint barb(b.x() + static_cast<int>(Round(-10.0 * d.x + side * p.x)),
                      b.y() - static_cast<int>(Round(-10.0 * d.y + side * p.y)));
    painter.segment(b, barb);
  }
}

void draw_end_frames(PlanPainter& painter, const Tlinea& wall, const PlanStyle& style) {
  painter.set_pen(style.frame_pen);
  for (const Ttestata& frame : wall.end_frames) {
    if (painter.shows(painter.at(vec_make(frame.x, frame.y)), frame.depth))
      draw_end_frame(painter, frame.x, frame.y, frame.depth, frame.orientation, style.wall_frames);
  }
}

}  // namespace

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

void draw_wall_runs(PlanPainter& painter, const Tcell& cell, const PlanStyle& style) {
  const std::vector<WallFace> outer = closed_wall_faces(cell, cell.wall_thickness);
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    const Tlinea& wall = cell.walls[i];
    painter.set_pen(style.bay_pen);
    for (const Tmodulo& bay : wall.modules) draw_run_bay(painter, style, bay);
    draw_end_frames(painter, wall, style);
    const QPoint start = painter.at(wall_start(wall)), end = painter.at(wall_end(wall));
    painter.set_pen(style.wall_pen(wall));
    painter.segment(start, end);
    if (wall.kind == 0) {
      painter.set_pen(style.jamb_pen);
      painter.segment(start, painter.at(outer[i].start));
      painter.segment(end, painter.at(outer[i].end));
    }
    if (wall.selected && style.direction_pen.width > 0) {
      painter.set_pen(style.direction_pen);
      draw_direction_arrow(painter, wall, cell.wall_thickness);
    }
  }
}

void draw_free_modules(PlanPainter& painter, const Tcell& cell, const PlanStyle& style) {
  for (const Tmodulo_agg& module : cell.free_modules) {
    draw_free_module(painter, style, module);
    for (const ClearanceDimension& dimension : clearance_dimensions(module)) {
      if (style.clearances_in_dimension_pen) painter.set_pen(style.dimension_pen);
      draw_dimension_line(painter, style, style.clearance_text(dimension.value), dimension.from, dimension.to);
    }
  }
}

void draw_bay_captions(PlanPainter& painter, const Tcell& cell, const PlanStyle& style) {
  if (!style.bay_captions) return;
  for (const Tlinea& wall : cell.walls)
    for (const Tmodulo& bay : wall.modules)
      draw_captions(painter, style, style.bay_captions(bay), vec_make(bay.x, bay.y), bay.length, bay.orientation);
}

void draw_compact_groups(PlanPainter& painter, const Tcell& cell, const PlanStyle& style) {
  painter.set_pen(style.group_pen);
  painter.set_fill(style.group_pen.colour);
  for (const Tcorvane& group : cell.compact_groups) draw_compact_group(painter, group);
}
