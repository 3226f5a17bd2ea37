// A free module or trolley of a printed cell plan: its figure, the end
// frames its side flags call for, and its captions.
#include "model/modules/load_labels.h"
#include "output/print/plan_painter.h"
#include "plan_drawing/plan_shapes.h"

void draw_page_free_module(PagePlanPainter& plan, const PlanStyle& style, const Tmodulo_agg& module,
                           const std::string& module_text) {
  plan.canvas().set_pen_width(plan.page.pen_thin);
  plan.bay_figure(module.x, module.y, module.length, module.width, module.orientation);
  const auto& flags = module.side_flags;
  if (flags[kEndFrameA] == 1 || flags[kInnerFrameA] == 1) draw_module_frame(plan, module, -1, style.module_frames);
  if (flags[kEndFrameB] == 1 || flags[kInnerFrameB] == 1) draw_module_frame(plan, module, 1, style.module_frames);
  plan.module_captions(module.x, module.y, module.length, module.orientation,
                       module_size_text(module.length, module.width, module.height),
                       std::to_string(module.shelf_count) + " " + module_text, max_load_label_free(module));
}
