// The wall layers of the plan view: faces and the runs of bays and end
// frames along each wall.
#include <cstddef>
#include <vector>

#include "editor/plan/plan_layers.h"
#include "editor/plan/plan_texts.h"
#include "model/base/rounding.h"
#include "model/base/wall_faces.h"
#include "model/layout/cell_walls.h"
#include "model/layout/shelf_patterns.h"
#include "model/quote/load_labels.h"
#include "plan_drawing/plan_shapes.h"

namespace {

double draw_bays(PlanCanvas& canvas, const Tlinea& wall, const Tvar_amb& state) {
  double surface = 0.0;
  for (const Tmodulo& bay : wall.modules) {
    surface += shelf_count(bay.shelf_pattern) * bay.length * bay.width / 1000000.0;
    const QPoint centre = plan_to_screen(canvas.transform, bay.x, bay.y);
    if (!near_view(canvas, centre, bay.length * canvas.transform.scale)) continue;
    set_item_pen(canvas, 2, bay.custom_shelves == 1, bay.selected, bay.selected2);
    draw_bay(canvas, {bay.x, bay.y, bay.length, bay.width, bay.orientation},
             plan_size_text(bay.length, bay.height, state), QString::fromStdString(max_load_label(bay)),
             state.print_max_loads);
  }
  return surface;
}

void draw_end_frames(ScreenPlanPainter& painter, const PlanStyle& style, const Tlinea& wall) {
  PlanCanvas& canvas = painter.canvas();
  set_pen(canvas, canvas.colours[2]);
  set_brush(canvas, canvas.colours[0]);
  for (const Ttestata& frame : wall.end_frames) {
    const QPoint centre = plan_to_screen(canvas.transform, frame.x, frame.y);
    if (near_view(canvas, centre, frame.depth * canvas.transform.scale))
      draw_end_frame(painter, frame.x, frame.y, frame.depth, frame.orientation, style.wall_frames);
  }
}

// The wall's direction shown beside a selected wall: a line ending in a head
// of 10 pixels whatever the zoom.
void draw_direction_arrow(PlanCanvas& canvas, const Tlinea& wall, double thickness) {
  const Tvec2 p1 = wall_start(wall), p2 = wall_end(wall), n = wall_normal(wall);
  const Tvec2 d = vec_normalize(p2 - p1), p = vec_make(d.y, -d.x);
  const double k = 1.5 * thickness;
  const QPoint a = plan_to_screen(canvas.transform, p1 + k * n + k * d);
  const QPoint b = plan_to_screen(canvas.transform, p2 + k * n - k * d);
  set_pen(canvas, canvas.colours[10]);
  draw_segment(canvas, a, b);
  for (double side : {2.0, -2.0}) {
    const QPoint barb(b.x() + static_cast<int>(Round(-10.0 * d.x + side * p.x)),
                      b.y() - static_cast<int>(Round(-10.0 * d.y + side * p.y)));
    draw_segment(canvas, b, barb);
  }
}

}  // namespace

double draw_wall_runs(ScreenPlanPainter& painter, const PlanStyle& style, const Tcell& cell, const Tvar_amb& state) {
  PlanCanvas& canvas = painter.canvas();
  double surface = 0.0;
  const std::vector<WallFace> outer = closed_wall_faces(cell, cell.wall_thickness);
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    const Tlinea& wall = cell.walls[i];
    surface += draw_bays(canvas, wall, state);
    draw_end_frames(painter, style, wall);
    set_item_pen(canvas, wall.kind == 0 ? 3 : 1, false, wall.selected, wall.selected2);
    draw_plan_segment(canvas, wall_start(wall), wall_end(wall));
    if (wall.kind == 0) {
      set_pen(canvas, canvas.colours[1]);
      draw_plan_segment(canvas, wall_start(wall), outer[i].start);
      draw_plan_segment(canvas, wall_end(wall), outer[i].end);
    }
    if (wall.selected) draw_direction_arrow(canvas, wall, cell.wall_thickness);
  }
  return surface;
}
