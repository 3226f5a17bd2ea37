// Free-standing modules, trolleys and compact mobile-shelving groups of a
// printed cell plan.
#include "model/quote/load_labels.h"
#include "model/state/globals.h"
#include "model/text/lang_text.h"
#include "output/print/page_numbers.h"
#include "output/print/plan_painter.h"
#include "plan_drawing/plan_dimensions.h"
#include "plan_drawing/plan_shapes.h"

namespace {

// A point at offsets along and across a module's length from its centre.
Tvec2 module_point(const Tmodulo_agg& module, double along, double across) {
  if (module.orientation == 'V') return {module.x + across, module.y + along};
  return {module.x + along, module.y + across};
}

void draw_page_trolley_wheels(const PagePlanPainter& plan, const Tmodulo_agg& trolley) {
  plan.canvas().set_pen_width(plan.page.pen_thin);
  for (const Tvec2& centre : trolley_wheel_centres(trolley)) {
    QPoint wheel = plan.at(centre);
    plan.hollow_marker(wheel.x(), wheel.y());
  }
}

// The end frame beyond one end of a free module (end -1: the lower coordinate).
void draw_module_frame(const PagePlanPainter& plan, const Tmodulo_agg& module, double end) {
  double centre = end * (module.length / 2 + 18);
  double reach = module.width / 2 - 28;
  plan.line(module_point(module, centre + 7, -reach), module_point(module, centre + 7, reach));
  plan.line(module_point(module, centre - 7, -reach), module_point(module, centre - 7, reach));
  double dot = module.width / 2 - 14;
  for (double across : {-dot, dot}) {
    QPoint at = plan.at(module_point(module, centre, across));
    plan.solid_marker(at.x(), at.y());
  }
}

void draw_free_module(const PagePlanPainter& plan, const Tmodulo_agg& module, const std::string& module_text) {
  plan.canvas().set_pen_width(plan.page.pen_thin);
  plan.bay_figure(module.x, module.y, module.length, module.width, module.orientation);
  const auto& flags = module.side_flags;
  if (flags[kEndFrameA] == 1 || flags[kInnerFrameA] == 1) draw_module_frame(plan, module, -1);
  if (flags[kEndFrameB] == 1 || flags[kInnerFrameB] == 1) draw_module_frame(plan, module, 1);
  plan.module_captions(module.x, module.y, module.length, module.orientation,
                       module_size_text(module.length, module.width, module.height),
                       std::to_string(module.shelf_count) + " " + module_text, max_load_label_free(module));
}

// In the pen the module was drawn with.
void draw_clearance_dimensions(PagePlanPainter& plan, const PlanStyle& style, const Tmodulo_agg& module) {
  for (const ClearanceDimension& dimension : clearance_dimensions(module))
    draw_dimension_line(plan, style, QString::fromStdString(fixed_number_text(dimension.value, AppState.decimals)),
                        dimension.from, dimension.to);
}

void draw_group_figure(const PagePlanPainter& plan, const Tcorvane& group) {
  const CompactGroupFigure figure = compact_group_figure(group);
  PageCanvas& canvas = plan.canvas();
  for (const PlanBox& frame : figure.frames) {
    QRect r = plan.page_rect(frame.corner, frame.opposite);
    canvas.frame_rect(r.left(), r.top(), r.right(), r.bottom());
  }
  for (const CompactGroupTie& tie : figure.ties) {
    QRect r = plan.page_rect(tie.plate.corner, tie.plate.opposite);
    canvas.fill_rect(r.left(), r.top(), r.right(), r.bottom());
    plan.line(tie.from, tie.to);
  }
}

}  // namespace

void draw_free_modules(PagePlanPainter& plan, const PlanStyle& style) {
  const Tstructure_type* structure = plan.structure();
  std::string module_text = structure ? lang_text(structure->module_text) : std::string();
  for (const Tmodulo_agg& module : plan.cell.free_modules) {
    plan.canvas().set_pen_colour(palette_colour(AppState.palette[2]).rgb());
    if (module.kind() == ModuleKind::Trolley) draw_page_trolley_wheels(plan, module);
    draw_free_module(plan, module, module_text);
    draw_clearance_dimensions(plan, style, module);
  }
}

void draw_compact_groups(const PagePlanPainter& plan) {
  PageCanvas& canvas = plan.canvas();
  canvas.set_brush(qRgb(0, 0, 0));
  canvas.set_pen_colour(qRgb(0, 0, 0));
  canvas.set_pen_width(plan.page.pen_thin);
  for (const Tcorvane& group : plan.cell.compact_groups) draw_group_figure(plan, group);
}
