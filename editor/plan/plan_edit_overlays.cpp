// What only the plan view draws, over the plan: the overlays of the edit
// modes (pending outline segment, rubber band, placement templates).
#include <algorithm>

#include "editor/plan/plan_layers.h"
#include "editor/plan/plan_texts.h"
#include "model/base/plane_vectors.h"
#include "model/base/rounding.h"
#include "plan_drawing/plan_dimensions.h"

namespace {

void draw_free_module_template(ScreenPlanPainter& painter, const PlanStyle& style, const Tmodulo_agg& t,
                               const Tvar_amb& state) {
  PlanCanvas& canvas = painter.canvas();
  set_pen(canvas, canvas.colours[1]);
  clear_brush(canvas);
  const QPoint a = plan_to_screen(canvas.transform, t.x - t.extent_x / 2, t.y - t.extent_y / 2);
  const QPoint b = plan_to_screen(canvas.transform, t.x + t.extent_x / 2, t.y + t.extent_y / 2);
  draw_rectangle(canvas, a, b);

  const double x = t.x, y = t.y, hx = t.extent_x / 2, hy = t.extent_y / 2;
  auto show = [&](double c, Tvec2 from, Tvec2 to) {
    if (c <= 0) return;
    painter.set_pen(style.dimension_pen);
    draw_dimension_line(painter, style, plan_clearance_text(c, state), from, to);
  };
  show(t.clear_n, vec_make(x, y + hy), vec_make(x, y + hy + t.clear_n));
  show(t.clear_s, vec_make(x, y - hy), vec_make(x, y - hy - t.clear_s));
  show(t.clear_e, vec_make(x + hx, y), vec_make(x + hx + t.clear_e, y));
  show(t.clear_o, vec_make(x - hx, y), vec_make(x - hx - t.clear_o, y));

  // Ends coupled to a neighbour: a thick red line just inside the template's edge.
  set_pen(canvas, canvas.colours[10], 3);
  const int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
  const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
  if (t.orientation == 'H') {
    if (t.side_flags[kJointA] == 1) draw_segment(canvas, QPoint(left + 2, bottom), QPoint(left + 2, top));
    if (t.side_flags[kJointB] == 1) draw_segment(canvas, QPoint(right - 2, bottom), QPoint(right - 2, top));
  } else {
    if (t.side_flags[kJointA] == 1) draw_segment(canvas, QPoint(left, bottom - 2), QPoint(right, bottom - 2));
    if (t.side_flags[kJointB] == 1) draw_segment(canvas, QPoint(left, top + 2), QPoint(right, top + 2));
  }
}

}  // namespace

void draw_edit_overlays(ScreenPlanPainter& painter, const PlanStyle& style, const Tvar_amb& state) {
  PlanCanvas& canvas = painter.canvas();
  if (state.outline_mode && state.segment_pending) {
    // Inverting the pixels keeps the segment visible over anything on either background.
    const QPoint start = plan_to_screen(canvas.transform, state.segment_start[0], state.segment_start[1]);
    const QPoint end(start.x() + static_cast<int>(Round(state.segment_offset[0])),
                     start.y() + static_cast<int>(Round(state.segment_offset[1])));
    canvas.painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    set_pen(canvas, Qt::white);
    draw_segment(canvas, start, end);
    canvas.painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  const auto& band = state.rubber_band;
  if (band[0] >= 0) {
    // Dragged to the right selects what lies wholly inside (solid); to the left what it touches (dotted).
    set_pen(canvas, canvas.colours[1], 1, band[2] > band[0] ? Qt::SolidLine : Qt::DotLine);
    clear_brush(canvas);
    draw_rectangle(canvas, QPoint(band[0], band[1]), QPoint(band[2], band[3]));
  }
  if (state.place_free_module_mode) draw_free_module_template(painter, style, state.free_module_template, state);
  if (state.place_compact_mode) {
    const Tcorvane& t = state.compact_template;
    set_pen(canvas, canvas.colours[1]);
    clear_brush(canvas);
    draw_rectangle(canvas, plan_to_screen(canvas.transform, t.x - t.extent_x / 2, t.y - t.extent_y / 2),
                   plan_to_screen(canvas.transform, t.x + t.extent_x / 2, t.y + t.extent_y / 2));
  }
}
