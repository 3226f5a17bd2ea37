#include "editor/plan/plan_renderer.h"

#include "editor/plan/plan_layers.h"
#include "editor/plan/screen_plan_style.h"
#include "plan_drawing/cell_plan_layers.h"
#include "plan_drawing/plan_dimensions.h"

void set_item_pen(PlanCanvas& canvas, int base_slot, bool custom_shelves, bool selected, bool selected2) {
  int slot = base_slot, width = 1;
  if (custom_shelves) slot = 8;
  if (selected) slot = 6, width = 2;
  if (selected2) slot = 7, width = 1;
  if (selected && selected2) slot = 9, width = 2;
  set_pen(canvas, canvas.colours[static_cast<std::size_t>(slot)], width);
}

bool near_view(const PlanCanvas& canvas, QPoint p, double margin) {
  return -margin < p.x() && p.x() < canvas.bounds.width() + margin && -margin < p.y() &&
         p.y() < canvas.bounds.height() + margin;
}

double render_plan(PlanCanvas& canvas, const Tcell& cell, const Tvar_amb& state) {
  canvas.painter.setRenderHint(QPainter::Antialiasing, false);
  canvas.painter.setRenderHint(QPainter::TextAntialiasing, false);
  canvas.painter.fillRect(canvas.bounds, canvas.colours[0]);
  canvas.painter.setFont(plan_label_font(120.0, canvas.transform.scale));

  ScreenPlanPainter painter(canvas);
  const PlanStyle style = screen_plan_style(canvas, state);
  if (!state.outline_mode) draw_wall_faces(painter, cell, style);  // the outline being drawn shows its walls alone
  draw_wall_dimensions(painter, cell, state.cell_extents, style);
  double surface = draw_wall_runs(painter, style, cell, state);
  surface += draw_free_modules(painter, style, cell, state);
  draw_compact_groups(painter, cell, style);
  draw_edit_overlays(painter, style, state);
  return surface;
}
