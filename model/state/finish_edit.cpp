#include "model/state/finish_edit.h"

#include <vector>

#include "model/layout/layout_engine.h"
#include "model/state/edit_modes.h"
#include "model/state/ui_seam.h"
#include "model/state/undo_history.h"

namespace {

enum class Step { layout, snapshot, rebuild_3d, side_panel, redraw, fit_view, end_modes };

std::vector<Step> steps_of(EditKind kind) {
  using enum Step;
  switch (kind) {
    case EditKind::relaid_out:
      return {layout, snapshot, rebuild_3d, side_panel, redraw};
    case EditKind::opening_resized:
      return {layout, snapshot, rebuild_3d, redraw};
    case EditKind::forced_lengths_changed:
      return {layout, snapshot, redraw};
    case EditKind::preferences_applied:
      return {layout, snapshot, side_panel, redraw};
    case EditKind::walls_filled:
      return {side_panel, layout, snapshot, redraw, rebuild_3d};
    case EditKind::door_inserted:
      return {snapshot, side_panel, layout, snapshot, redraw};
    case EditKind::door_removed:
      return {layout, snapshot, end_modes, redraw};
    case EditKind::runs_reshaped:
      return {snapshot, rebuild_3d, side_panel, redraw};
    case EditKind::modules_changed:
      return {snapshot, rebuild_3d, redraw};
    case EditKind::structure_changed:
      return {snapshot, rebuild_3d};
    case EditKind::plan_marks_changed:
      return {snapshot, redraw};
    case EditKind::compact_group_placed:
      return {snapshot, side_panel, redraw};
    case EditKind::wall_drawn:
      return {fit_view, snapshot, redraw, rebuild_3d};
    case EditKind::recorded:
      return {snapshot};
    case EditKind::project_replaced:
      return {rebuild_3d, side_panel, redraw, snapshot};
    case EditKind::shown_then_recorded:
      return {side_panel, redraw, snapshot};
    case EditKind::cell_switched:
      return {snapshot, rebuild_3d, side_panel, fit_view, redraw};
    case EditKind::history_stepped:
      return {rebuild_3d, side_panel, redraw};
    case EditKind::moved:
      return {rebuild_3d, redraw};
    case EditKind::shown:
      return {side_panel, redraw};
    case EditKind::dialog_step_shown:
      return {rebuild_3d, side_panel};
    case EditKind::door_dialog_closed:
      return {side_panel, rebuild_3d};
    case EditKind::rebuilt_3d:
      return {rebuild_3d};
    case EditKind::redrawn:
      return {redraw};
  }
  return {};
}

void run(Step step) {
  switch (step) {
    case Step::layout:
      recompute_layout();
      break;
    case Step::snapshot:
      push_undo_snapshot();
      break;
    case Step::rebuild_3d:
      ui().rebuild_3d_if_visible();
      break;
    case Step::side_panel:
      ui().refresh_side_panel();
      break;
    case Step::redraw:
      ui().draw_plan();
      break;
    case Step::fit_view:
      ui().fit_plan_to_view(10);
      break;
    case Step::end_modes:
      end_edit_mode(false);
      break;
  }
}

}  // namespace

void finish_edit(EditKind kind) {
  for (Step step : steps_of(kind)) run(step);
}
