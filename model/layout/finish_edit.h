// The one way an edit command ends. After it has written the model, a command
// names what kind of edit it made and finish_edit runs what that kind needs,
// in its order: lay the current cell out again, take the undo snapshot (which
// marks the project modified and rolls an invalid outline back), rebuild the
// 3-D view while it is shown, refresh the side panel, redraw the plan. Most
// kinds keep that order and leave out what does not apply; the cell and
// project commands show the new state before they record it.
#pragma once

// Each kind has its steps in finish_edit.cpp, listed in this order.
enum class EditKind {
  // Changes the layout depends on: the cell is laid out again first.
  relaid_out,              // a run's modules, sizes, gaps or priority, the clearance, a moved wall
  opening_resized,         // an opening's length typed in the panel, which still shows it
  forced_lengths_changed,  // the forced-lengths dialog's caller rebuilds the 3-D view after each wall
  preferences_applied,     // the preferences dialog closed; it refreshes the 3-D view itself
  walls_filled,            // the selected walls filled with bays: the panel shows their counts first
  door_inserted,           // two undo steps: the split walls, then the cell laid out again
  door_removed,            // the joined wall laid out; the edit modes end before the redraw
  // Changes that keep the layout.
  runs_reshaped,         // shelves or height of the selected runs; their corner neighbours may follow
  modules_changed,       // sizes and shelves of modules, the wall thickness, modules placed or deleted
  structure_changed,     // only the 3-D view shows the structure type
  plan_marks_changed,    // what only the plan shows: dimension lines and sides, shelf patterns, the outline
  compact_group_placed,  // the new group with the selection it leaves in the panel
  wall_drawn,            // an outline wall of typed length: the view fits it first
  recorded,              // only the undo step: the caller shows the change, or nothing shows it
  // Cell and project commands: the views show the new state, then the step is taken.
  project_replaced,     // a new project: the 3-D view too
  shown_then_recorded,  // cells added, deleted, imported or at start-up; free modules aligned
  cell_switched,        // another cell is current: the step first, the view fitted before the redraw
  // No undo step.
  history_stepped,     // undo or redo restored a step
  moved,               // a template or the selection moved by the arrow keys, recorded on release
  shown,               // a selection or mode changed, or an edit was declined
  dialog_step_shown,   // a dialog took its own step: the 3-D view and the panel follow
  door_dialog_closed,  // the door dialog took its steps: the panel, then the 3-D view
  rebuilt_3d,          // a dialog took its step and redrew the plan
  redrawn,             // a dialog took its step: the plan follows
};

void finish_edit(EditKind kind);
