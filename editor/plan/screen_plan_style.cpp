#include "editor/plan/screen_plan_style.h"

#include "editor/plan/plan_texts.h"

namespace {

const QColor OpeningFaceColour(192, 192, 192);  // silver on either background

}  // namespace

PlanStyle screen_plan_style(const PlanCanvas& canvas, const Tvar_amb& state) {
  PlanStyle style;
  style.rounding = OffsetRounding::ScaledVector;
  style.face_pen = [&canvas](const Tlinea& wall) {
    return PlanPen{wall.kind == 0 ? OpeningFaceColour : canvas.colours[1], 1};
  };
  style.clearance_pen = {canvas.colours[5], 1};
  style.wall_frames = style.module_frames = {28.0, 16.0};
  style.group_pen = {canvas.colours[2], 1};
  style.dimension_pen = {canvas.colours[3], 1};
  style.dimension_text_nudge = 0;
  style.wall_length_text = [&state](double mm) { return plan_length_text(mm, state); };
  return style;
}
