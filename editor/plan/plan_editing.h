// Editing the current cell on the plan with the mouse and the keyboard:
// drawing the outline, selecting by click and rubber band, placing free
// modules and compact blocks that follow the pointer, panning with the right
// button, zooming by a left drag, and the keys that move, place, delete and
// leave a mode. Plain functions over AppState and the current cell: the plan
// widget and the main window's key filter only pass their events on, so the
// rules run the same under tests, and the edits they make are the model's
// commands (plan_edits.h). The view size is passed in for the screen-to-plan
// mapping.
#pragma once

#include <Qt>

// Step of an arrow key in millimetres: 1, 10 with Ctrl, 100 with Alt, 0.5
// with Shift; Shift wins over Alt and Alt over Ctrl.
double arrow_step(Qt::KeyboardModifiers modifiers);

void plan_mouse_down(Qt::MouseButton button, int x, int y);
void plan_mouse_move(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y, int width, int height);
void plan_mouse_up(Qt::MouseButton button);

// A key pressed anywhere in the main window; true when the key is consumed
// (the arrow keys always are, Enter when it places a module), so the focused
// control does not see it.
bool plan_key_down(int key, Qt::KeyboardModifiers modifiers);
// A key released (auto-repeats excluded): the end of an arrow-key move of
// the selected free modules takes its one undo step.
void plan_key_up(int key);
