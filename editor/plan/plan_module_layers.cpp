// What the plan view draws its own way: the bays of the runs and the
// free-standing modules with their end frames and clearance dimensions, and
// the overlays of the edit modes (pending outline segment, rubber band,
// placement templates).
#include <algorithm>
#include <cstddef>
#include <string>

#include "editor/plan/plan_layers.h"
#include "editor/plan/plan_texts.h"
#include "model/base/plane_vectors.h"
#include "model/base/rounding.h"
#include "model/layout/module_lengths.h"
#include "model/layout/shelf_patterns.h"
#include "model/modules/load_labels.h"
#include "plan_drawing/plan_dimensions.h"
#include "plan_drawing/plan_shapes.h"

namespace {

// The service view tells intermediate frames (beside a compact module) from run ends.
const QColor DebugInnerFrame(255, 0, 0);
const QColor DebugRunEndFrame(0, 0, 255);

// The module's own end frames, 18 mm beyond each end where its side flags
// call for one and the end is not a joint.
void draw_free_module_frames(ScreenPlanPainter& painter, const PlanStyle& style, const Tmodulo_agg& module,
                             const Tvar_amb& state) {
  PlanCanvas& canvas = painter.canvas();
  const auto& flags = module.side_flags;
  for (int end : {-1, 1}) {
    const bool at_a = end < 0;
    const bool joined = flags[at_a ? kJointA : kJointB] != 0;
    const bool run_end = flags[at_a ? kEndFrameA : kEndFrameB] == 1;
    const bool inner = flags[at_a ? kInnerFrameA : kInnerFrameB] == 1;
    if (joined || !(run_end || inner)) continue;
    if (state.debug == 1)
      set_pen(canvas, inner ? DebugInnerFrame : DebugRunEndFrame, 2);
    else
      set_pen(canvas, canvas.colours[2]);
    draw_module_frame(painter, module, end, style.module_frames);
  }
}

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

// A bay or free module in the pen of its selection, with its size and load
// texts; false when it lies far out of view and was skipped.
template <typename Item>
bool draw_item_bay(PlanCanvas& canvas, const Item& item, const std::string& load, const Tvar_amb& state) {
  const QPoint centre = plan_to_screen(canvas.transform, item.x, item.y);
  if (!near_view(canvas, centre, item.length * canvas.transform.scale)) return false;
  set_item_pen(canvas, 2, item.custom_shelves == 1, item.selected, item.selected2);
  draw_bay(canvas, {item.x, item.y, item.length, item.width, item.orientation},
           plan_size_text(item.length, item.height, state), QString::fromStdString(load), state.print_max_loads);
  return true;
}

}  // namespace

void draw_run_bay(PlanCanvas& canvas, const Tmodulo& bay, const Tvar_amb& state) {
  draw_item_bay(canvas, bay, max_load_label(bay), state);
}

void draw_free_module(ScreenPlanPainter& painter, const PlanStyle& style, const Tmodulo_agg& module,
                      const Tvar_amb& state) {
  if (draw_item_bay(painter.canvas(), module, max_load_label_free(module), state))
    draw_free_module_frames(painter, style, module, state);
}

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
