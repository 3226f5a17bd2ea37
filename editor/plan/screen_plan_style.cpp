#include "editor/plan/screen_plan_style.h"

#include "editor/plan/plan_layers.h"
#include "editor/plan/plan_texts.h"

namespace {

const QColor OpeningFaceColour(192, 192, 192);  // silver on either background

}  // namespace

PlanStyle screen_plan_style(const PlanCanvas& canvas, const Tvar_amb& state) {
  PlanStyle style;
  // The outline being drawn shows its walls alone.
  if (!state.outline_mode) style.layers.push_back(PlanLayer::WallFaces);
  style.layers.insert(style.layers.end(), {PlanLayer::WallDimensions, PlanLayer::WallRuns, PlanLayer::FreeModules,
                                           PlanLayer::CompactGroups});
  style.rounding = OffsetRounding::ScaledVector;
  style.face_pen = [&canvas](const Tlinea& wall) {
    return PlanPen{wall.kind == 0 ? OpeningFaceColour : canvas.colours[1], 1};
  };
  style.clearance_pen = {canvas.colours[5], 1};
  style.bay_pen = style.frame_pen = {canvas.colours[2], 1};
  style.wall_frames = style.module_frames = {28.0, 16.0};
  style.wall_pen = [&canvas](const Tlinea& wall) {
    return item_pen(canvas, wall.kind == 0 ? 3 : 1, false, wall.selected, wall.selected2);
  };
  style.jamb_pen = {canvas.colours[1], 1};
  style.direction_pen = {canvas.colours[10], 1};
  style.module_pen = {canvas.colours[2], 1};
  style.clearances_in_dimension_pen = true;
  style.clearance_text = [&state](double value) { return plan_clearance_text(value, state); };
  style.group_pen = {canvas.colours[2], 1};
  style.dimension_pen = {canvas.colours[3], 1};
  style.dimension_text_nudge = 0;
  style.wall_length_text = [&state](double mm) { return plan_length_text(mm, state); };
  return style;
}
