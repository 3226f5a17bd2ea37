#include "editor/plan/screen_plan_style.h"

#include <string>
#include <vector>

#include "editor/plan/plan_layers.h"
#include "editor/plan/plan_texts.h"
#include "model/layout/load_labels.h"

namespace {

const QColor OpeningFaceColour(192, 192, 192);  // silver on either background
// The service view tells intermediate frames (beside a compact module) from run ends.
const QColor DebugInnerFrame(255, 0, 0);
const QColor DebugRunEndFrame(0, 0, 255);

// The size text of a bay or free module, with its load text below when loads are shown.
std::vector<QString> item_captions(double length, double height, const std::string& load, const Tvar_amb& state) {
  std::vector<QString> lines{plan_size_text(length, height, state)};
  if (state.print_max_loads) lines.push_back(QString::fromStdString(load));
  return lines;
}

// Bays and free modules show their selection, framed uprights and their
// texts in the figure; an orientation other than 'H' or 'V' runs along y.
void set_bay_style(PlanStyle& style, const PlanCanvas& canvas, const Tvar_amb& state) {
  style.bays = {canvas.colours[0], false, canvas.colours[2], true, 'V'};
  style.marked_pen = [&canvas](const PlanPen&, const ItemMarks& marks) { return item_pen(canvas, 2, marks); };
  style.bay_captions = [&state](const Tmodulo& bay) {
    return item_captions(bay.length, bay.height, max_load_label(bay), state);
  };
  style.module_captions = [&state](const Tmodulo_agg& module) {
    return item_captions(module.length, module.height, max_load_label_free(module), state);
  };
  style.module_frame_pen = [&canvas, &state](bool inner) {
    if (state.debug == 1) return PlanPen{inner ? DebugInnerFrame : DebugRunEndFrame, 2};
    return PlanPen{canvas.colours[2], 1};
  };
  style.module_frames_at_joints = false;
}

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
  set_bay_style(style, canvas, state);
  style.wall_frames = style.module_frames = {28.0, 16.0};
  style.wall_pen = [&canvas](const Tlinea& wall) {
    return item_pen(canvas, wall.kind == 0 ? 3 : 1, {false, wall.selected, wall.selected2});
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
