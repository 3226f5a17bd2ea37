#include "editor/plan/screen_plan_style.h"

#include "editor/plan/plan_texts.h"

PlanStyle screen_plan_style(const PlanCanvas& canvas, const Tvar_amb& state) {
  PlanStyle style;
  style.rounding = OffsetRounding::ScaledVector;
  style.dimension_pen = {canvas.colours[3], 1};
  style.dimension_text_nudge = 0;
  style.wall_length_text = [&state](double mm) { return plan_length_text(mm, state); };
  return style;
}
