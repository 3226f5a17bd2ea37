// The one way an edit command ends. After it has written the model, a command
// names what kind of edit it made and the views that show it; finish_edit runs
// the steps in one order: lay the current cell out again, derive what the
// cells derive (compact groups, frame heights, load marks), take the undo
// snapshot (which marks the project modified and rolls an invalid outline
// back), rebuild the 3-D view while it is shown, refresh the side panel, fit
// the plan to the view, redraw the plan. A few kinds move one step out of that
// order, each for a reason the user can see.
#pragma once

enum class EditKind {
  laid_out,      // the layout depends on the change: the cell is laid out, then recorded
  changed,       // the change keeps the layout: it is recorded
  not_recorded,  // nothing to record: undo or redo, a selection or mode, a moved template, a dialog's own step
  // The cell and project commands show the new state before they record it,
  // so a rolled-back edit's message comes over the views as they were.
  shown_then_recorded,
  // The automatic fill: the panel shows the counts it set before the layout
  // and the step, as the other views show the step's result.
  laid_out_after_panel,
  // A removed door: the edit modes end after the step, which keeps the selection.
  laid_out_leaving_modes,
};

// The views an edit shows in; fitted_plan fits the plan to the view before it
// is drawn.
enum class Views : unsigned {
  none = 0,
  scene_3d = 1u << 0,
  side_panel = 1u << 1,
  plan = 1u << 2,
  fitted_plan = 1u << 3 | plan,
  all = scene_3d | side_panel | plan,
};

constexpr Views operator|(Views a, Views b) {
  return static_cast<Views>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

void finish_edit(EditKind kind, Views views = Views::all);
