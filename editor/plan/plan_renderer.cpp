#include "editor/plan/plan_renderer.h"

#include "editor/plan/plan_layers.h"
#include "editor/plan/screen_plan_style.h"
#include "model/layout/shelf_patterns.h"
#include "plan_drawing/cell_plan.h"

namespace {

// The plan view's painter: bays and free modules drawn its own way.
class ScreenCellPlan : public ScreenPlanPainter {
 public:
  ScreenCellPlan(PlanCanvas& canvas, const PlanStyle& style, const Tvar_amb& state)
      : ScreenPlanPainter(canvas), style_(style), state_(state) {}

  void bay(const Tmodulo& bay) override { draw_run_bay(canvas(), bay, state_); }
  void free_module(const Tmodulo_agg& module) override { draw_free_module(*this, style_, module, state_); }
  void draw_own_layer(PlanLayer, const Tcell&) override {}  // the page's captions and band are not shown

 private:
  const PlanStyle& style_;
  const Tvar_amb& state_;
};

// The shelf surface of the cell in square metres: each run's bays, then the free modules.
double useful_surface(const Tcell& cell) {
  double surface = 0.0;
  for (const Tlinea& wall : cell.walls) {
    double run = 0.0;
    for (const Tmodulo& bay : wall.modules) run += shelf_count(bay.shelf_pattern) * bay.length * bay.width / 1000000.0;
    surface += run;
  }
  double free = 0.0;
  for (const Tmodulo_agg& module : cell.free_modules)
    free += shelf_count(module.shelf_pattern) * module.length * module.width / 1000000.0;
  return surface + free;
}

}  // namespace

PlanPen item_pen(const PlanCanvas& canvas, int base_slot, bool custom_shelves, bool selected, bool selected2) {
  int slot = base_slot, width = 1;
  if (custom_shelves) slot = 8;
  if (selected) slot = 6, width = 2;
  if (selected2) slot = 7, width = 1;
  if (selected && selected2) slot = 9, width = 2;
  return {canvas.colours[static_cast<std::size_t>(slot)], width};
}

void set_item_pen(PlanCanvas& canvas, int base_slot, bool custom_shelves, bool selected, bool selected2) {
  const PlanPen pen = item_pen(canvas, base_slot, custom_shelves, selected, selected2);
  set_pen(canvas, pen.colour, pen.width);
}

double render_plan(PlanCanvas& canvas, const Tcell& cell, const Tvar_amb& state) {
  canvas.painter.setRenderHint(QPainter::Antialiasing, false);
  canvas.painter.setRenderHint(QPainter::TextAntialiasing, false);
  canvas.painter.fillRect(canvas.bounds, canvas.colours[0]);
  canvas.painter.setFont(plan_label_font(120.0, canvas.transform.scale));

  const PlanStyle style = screen_plan_style(canvas, state);
  ScreenCellPlan painter(canvas, style, state);
  draw_cell_plan(painter, cell, style);
  draw_edit_overlays(painter, style, state);
  return useful_surface(cell);
}
