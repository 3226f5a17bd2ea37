// Free-standing modules and trolleys of a printed cell plan, with their
// frames, captions and clearance dimensions.
#include "model/quote/load_labels.h"
#include "model/state/globals.h"
#include "model/text/lang_text.h"
#include "output/print/page_numbers.h"
#include "output/print/plan_painter.h"
#include "plan_drawing/plan_dimensions.h"
#include "plan_drawing/plan_shapes.h"

namespace {

// The end frame beyond one end of a free module (end -1: the lower coordinate).
void draw_module_frame(PagePlanPainter& plan, const PlanStyle& style, const Tmodulo_agg& module, double end) {
  const double along = end * (module.length / 2 + 18);
  const bool vertical = module.orientation == 'V';
  draw_end_frame(plan, vertical ? module.x : module.x + along, vertical ? module.y + along : module.y, module.width,
                 module.orientation, style.module_frames);
}

void draw_free_module(PagePlanPainter& plan, const PlanStyle& style, const Tmodulo_agg& module,
                      const std::string& module_text) {
  plan.canvas().set_pen_width(plan.page.pen_thin);
  plan.bay_figure(module.x, module.y, module.length, module.width, module.orientation);
  const auto& flags = module.side_flags;
  if (flags[kEndFrameA] == 1 || flags[kInnerFrameA] == 1) draw_module_frame(plan, style, module, -1);
  if (flags[kEndFrameB] == 1 || flags[kInnerFrameB] == 1) draw_module_frame(plan, style, module, 1);
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

}  // namespace

void draw_free_modules(PagePlanPainter& plan, const PlanStyle& style) {
  const Tstructure_type* structure = plan.structure();
  std::string module_text = structure ? lang_text(structure->module_text) : std::string();
  for (const Tmodulo_agg& module : plan.cell.free_modules) {
    plan.canvas().set_pen_colour(palette_colour(AppState.palette[2]).rgb());
    if (module.kind() == ModuleKind::Trolley) {
      plan.canvas().set_pen_width(plan.page.pen_thin);
      draw_trolley_wheels(plan, module);
    }
    draw_free_module(plan, style, module, module_text);
    draw_clearance_dimensions(plan, style, module);
  }
}
