// The edits the plan's mouse and keys make on the current cell and the
// placement templates: turning, moving and placing the template of the mode,
// moving and deleting the selected free modules, the end of a click or a
// rubber band, and leaving the mode. Each ends as its event needs; the plan
// view and the key filter only pass their events on.
#pragma once

#include "model/base/plane_vectors.h"

// A right click while placing: the template of the mode turns between
// running along x and along y (shown with the next move).
void turn_template();
// A left click or Enter while placing: a copy of the template of the mode
// goes into the cell, an undo step; the mode stays on.
void place_free_module();
void place_compact_block();

// The free-module template at a new centre (the pointer's) or moved by an
// arrow key: no joints, run-end frames on both ends, snapped to its
// neighbours when snap is set, clearances measured.
void move_free_template_to(const Tvec2& centre, bool snap);
void move_free_template_by(const Tvec2& step, bool snap);
// The compact template at the pointer, its surroundings measured, or moved by
// an arrow key.
void move_compact_template_to(const Tvec2& centre);
void move_compact_template_by(const Tvec2& step);

// An arrow key moves the selected free modules of the current cell; the
// moves take one undo step when the key is released (record_key_moves).
void move_selected_free_modules(const Tvec2& step);
void record_key_moves();
// Delete: the selected free modules of the current cell go, an undo step.
void delete_free_module_selection();

// A button released on the plan: a selection mode toggles what the rubber
// band or the click caught, and a right click clears every selection.
void release_on_plan(bool right_button);
// Esc: leaves the mode; an outline being drawn is discarded.
void leave_edit_mode();
