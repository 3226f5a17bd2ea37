// The wall layers of the plan: faces, wall dimensions and the runs of bays
// and end frames along each wall.
#include <cstddef>
#include <vector>

#include "editor/plan/plan_layers.h"
#include "editor/plan/plan_texts.h"
#include "model/base/rounding.h"
#include "model/base/wall_faces.h"
#include "model/layout/cell_walls.h"
#include "model/layout/outline_queries.h"
#include "model/layout/shelf_patterns.h"
#include "model/modules/load_labels.h"
#include "plan_drawing/plan_shapes.h"

namespace {

const QColor OpeningFaceColour(192, 192, 192);  // silver on either background

// How far beyond the wall line the dimensions of a wall stand: past the
// farthest wall of the room on that side, unless another wall is in front.
double dimension_offset(const Tcell& cell, int wall_index, const Tvar_amb& state) {
  const Tlinea& wall = cell.walls[static_cast<std::size_t>(wall_index)];
  const Tvec2 n = wall_normal(wall);
  const auto& box = state.cell_extents;
  double e = 0.0;
  if (vec_equal(n, vec_make(1, 0)))
    e = box[0] - wall.x1;
  else if (vec_equal(n, vec_make(0, 1)))
    e = box[2] - wall.y1;
  else if (vec_equal(n, vec_make(-1, 0)))
    e = wall.x1 - box[1];
  else if (vec_equal(n, vec_make(0, -1)))
    e = wall.y1 - box[3];
  return wall_overlap_test(cell, wall_index) ? 0.0 : e;
}

// Texts and lines of one wall's dimensions, in the wall's own frame.
struct WallDimensions {
  PlanCanvas& canvas;
  const Tlinea& wall;
  const Tvar_amb& state;
  Tvec2 p1, p2, n, d, p;

  QPoint at(const Tvec2& point) const { return plan_to_screen(canvas.transform, point); }
  QPoint moved(QPoint from, double along) const { return lay_off(canvas.transform, from, along * d.x, along * d.y); }
  static QPoint middle(QPoint a, QPoint b) { return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2}; }

  void label(QPoint anchor, double length) const {
    const QString text = plan_length_text(length, state);
    if (wall.orientation == 'H')
      draw_text_horizontal(canvas, anchor, text, -0.5);
    else
      draw_text_vertical(canvas, anchor, text, -0.5);
  }
  // An extension line across the wall at a point of its line, from `from` to `to` mm out.
  void extension(const Tvec2& base, double from, double to) const {
    draw_segment(canvas, at(base + from * n), at(base + to * n));
  }
};

void draw_one_wall_dimensions(PlanCanvas& canvas, const Tcell& cell, int wall_index, const Tvar_amb& state) {
  const Tlinea& wall = cell.walls[static_cast<std::size_t>(wall_index)];
  const Tvec2 p1 = wall_start(wall), p2 = wall_end(wall);
  const Tvec2 d = vec_normalize(p2 - p1);
  const WallDimensions w{canvas, wall, state, p1, p2, wall_normal(wall), d, vec_make(d.y, -d.x)};
  const double t = cell.wall_thickness;
  const double e = dimension_offset(cell, wall_index, state);
  const double a = e + t + 250.0;  // the row of the free lengths
  const double b = a + 150.0;      // the row of the overall length
  const double base = e + t + 30.0;
  const double start_free = wall.start_free, end_free = wall.end_free;
  const Tvec2 run_start = p1 + start_free * d, run_end = p2 - end_free * d;

  w.label(WallDimensions::middle(w.at(p1 + b * w.n), w.at(p2 + b * w.n)), wall.length);
  if (start_free > 0)
    w.label(w.moved(WallDimensions::middle(w.at(p1 + a * w.n), w.at(run_start + a * w.n)), -120.0), start_free);
  if (end_free > 0) {
    w.label(w.moved(WallDimensions::middle(w.at(run_end + a * w.n), w.at(p2 + a * w.n)), 120.0), end_free);
    w.label(WallDimensions::middle(w.at(run_start + a * w.n), w.at(run_end + a * w.n)),
            wall.length - start_free - end_free);
  }

  set_pen(canvas, canvas.colours[3]);
  const QPoint overall_a = w.at(p1 + b * w.n), overall_b = w.at(p2 + b * w.n);
  draw_segment(canvas, overall_a, overall_b);
  draw_arrow_strokes(canvas, overall_a, d, w.p, 60.0);
  draw_arrow_strokes(canvas, overall_b, d, w.p, -60.0);
  w.extension(p1, base, b + 30.0);
  w.extension(p2, base, b + 30.0);
  if (start_free > 0) {
    const QPoint from = w.at(p1 + a * w.n), to = w.at(run_start + a * w.n);
    draw_segment(canvas, w.moved(from, -120.0), to);
    draw_arrow_strokes(canvas, from, d, w.p, -60.0);
    w.extension(run_start, base, a + 30.0);
  }
  if (end_free > 0) {
    const QPoint from = w.at(run_end + a * w.n), to = w.at(p2 + a * w.n);
    draw_segment(canvas, w.moved(to, 120.0), from);
    draw_arrow_strokes(canvas, to, d, w.p, 60.0);
    w.extension(run_end, base, a + 30.0);
    const QPoint middle_a = w.at(run_start + a * w.n), middle_b = w.at(run_end + a * w.n);
    draw_segment(canvas, middle_a, middle_b);
    draw_arrow_strokes(canvas, middle_a, d, w.p, 60.0);
    draw_arrow_strokes(canvas, middle_b, d, w.p, -60.0);
  }
}

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

void draw_end_frames(PlanCanvas& canvas, const Tlinea& wall) {
  set_pen(canvas, canvas.colours[2]);
  set_brush(canvas, canvas.colours[0]);
  for (const Ttestata& frame : wall.end_frames) {
    const QPoint centre = plan_to_screen(canvas.transform, frame.x, frame.y);
    if (near_view(canvas, centre, frame.depth * canvas.transform.scale))
      draw_end_frame(canvas, frame.x, frame.y, frame.depth, frame.orientation);
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

void draw_wall_faces(PlanCanvas& canvas, const Tcell& cell, const Tvar_amb& state) {
  if (state.outline_mode) return;  // the outline being drawn shows its walls alone
  const std::vector<WallFace> outer = closed_wall_faces(cell, cell.wall_thickness);
  const std::vector<WallFace> inner = closed_wall_faces(cell, -cell.clearance);
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    set_pen(canvas, cell.walls[i].kind == 0 ? OpeningFaceColour : canvas.colours[1]);
    draw_plan_segment(canvas, outer[i].start, outer[i].end);
  }
  set_pen(canvas, canvas.colours[5]);
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    if (cell.walls[i].kind == 1) draw_plan_segment(canvas, inner[i].start, inner[i].end);
    draw_plan_segment(canvas, inner[i].start, wall_start(cell.walls[i]));
  }
}

void draw_wall_dimensions(PlanCanvas& canvas, const Tcell& cell, const Tvar_amb& state) {
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    if (cell.walls[i].show_dimensions) draw_one_wall_dimensions(canvas, cell, static_cast<int>(i), state);
  }
}

double draw_wall_runs(PlanCanvas& canvas, const Tcell& cell, const Tvar_amb& state) {
  double surface = 0.0;
  const std::vector<WallFace> outer = closed_wall_faces(cell, cell.wall_thickness);
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    const Tlinea& wall = cell.walls[i];
    surface += draw_bays(canvas, wall, state);
    draw_end_frames(canvas, wall);
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
