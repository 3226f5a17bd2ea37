#include "editor/plan/plan_renderer.h"

#include "editor/plan/plan_layers.h"
#include "editor/plan/screen_plan_style.h"
#include "model/layout/shelf_patterns.h"
#include "plan_drawing/cell_plan.h"

namespace {

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

PlanPen item_pen(const PlanCanvas& canvas, int base_slot, const ItemMarks& marks) {
  int slot = base_slot, width = 1;
  if (marks.custom_shelves) slot = 8;
  if (marks.selected) slot = 6, width = 2;
  if (marks.selected2) slot = 7, width = 1;
  if (marks.selected && marks.selected2) slot = 9, width = 2;
  return {canvas.colours[static_cast<std::size_t>(slot)], width};
}

double render_plan(PlanCanvas& canvas, const Tcell& cell, const Tvar_amb& state) {
  canvas.painter.setRenderHint(QPainter::Antialiasing, false);
  canvas.painter.setRenderHint(QPainter::TextAntialiasing, false);
  canvas.painter.fillRect(canvas.bounds, canvas.colours[0]);
  canvas.painter.setFont(plan_label_font(120.0, canvas.transform.scale));

  const PlanStyle style = screen_plan_style(canvas, state);
  ScreenPlanPainter painter(canvas);
  draw_cell_plan(painter, cell, style);
  draw_edit_overlays(painter, style, state);
  return useful_surface(cell);
}
