#include "editor/plan/plan_editing.h"

#include <QPoint>
#include <cmath>

#include "editor/plan/plan_selection.h"
#include "editor/plan/plan_zoom.h"
#include "model/base/rounding.h"
#include "model/commands/plan_edits.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/ui_seam.h"
#include "output/user_numbers.h"

namespace {

bool any_edit_mode() {
  return AppState.select_walls_mode || AppState.select_modules_mode || AppState.place_free_module_mode ||
         AppState.place_compact_mode;
}

bool selecting() { return AppState.select_walls_mode || AppState.select_modules_mode; }

// The outline segment follows the pointer: it turns from the last wall, or
// for the first wall the larger movement decides (a tie is vertical).
void follow_with_segment(int x, int y, int width, int height) {
  const PlanTransform t = view_transform(AppState, width, height);
  const QPoint start = plan_to_screen(t, AppState.segment_start[0], AppState.segment_start[1]);
  const double dx = x - start.x(), dy = y - start.y();
  AppState.segment_offset = {0.0, 0.0};
  const auto& walls = current_cell().walls;
  if (!walls.empty()) {
    if (walls.back().orientation == 'H')
      AppState.segment_offset[1] = dy;
    else
      AppState.segment_offset[0] = dx;
  } else if (std::abs(dx) > std::abs(dy)) {
    AppState.segment_offset[0] = dx;
  } else {
    AppState.segment_offset[1] = dy;
  }
}

Tvec2 rounded_plan_point(int x, int y, int width, int height) {
  const Tvec2 p = screen_to_plan(view_transform(AppState, width, height), x, y);
  return {static_cast<double>(Round(p.x)), static_cast<double>(Round(p.y))};
}

bool is_arrow(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// The plan direction of an arrow key (screen up is plan +y).
Tvec2 arrow_direction(int key) {
  switch (key) {
    case Qt::Key_Left:
      return {-1, 0};
    case Qt::Key_Right:
      return {1, 0};
    case Qt::Key_Up:
      return {0, 1};
    default:
      return {0, -1};
  }
}

}  // namespace

double arrow_step(Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ShiftModifier) return 0.5;
  if (modifiers & Qt::AltModifier) return 100.0;
  if (modifiers & Qt::ControlModifier) return 10.0;
  return 1.0;
}

void plan_mouse_down(Qt::MouseButton button, int x, int y) {
  AppState.mouse_x = x;
  AppState.mouse_y = y;
  const bool left = button == Qt::LeftButton, right = button == Qt::RightButton;
  if (left && AppState.outline_mode) add_wall_by_length(user_decimal_separator());
  if (left && selecting()) AppState.rubber_band = {x, y, x, y};
  if (right) turn_template();
  if (left && AppState.place_free_module_mode) place_free_module();
  if (left && AppState.place_compact_mode) place_compact_block();
}

void plan_mouse_move(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y, int width, int height) {
  if (buttons & Qt::RightButton) {
    AppState.pan_x += x - AppState.mouse_x;
    AppState.pan_y += y - AppState.mouse_y;
    ui().draw_plan();
  }
  if (!any_edit_mode() && (buttons & Qt::LeftButton) && y != AppState.mouse_y) {
    zoom_view(AppState, (y - AppState.mouse_y) / 400.0);
    ui().draw_plan();
  }
  if (AppState.outline_mode && AppState.segment_pending) {
    follow_with_segment(x, y, width, height);
    ui().draw_plan();
  }
  if (selecting()) {
    if (AppState.rubber_band[0] >= 0) {
      AppState.rubber_band[2] = x;
      AppState.rubber_band[3] = y;
    }
    const PlanTransform t = view_transform(AppState, width, height);
    if (AppState.select_walls_mode) mark_pending_walls(current_cell(), t, AppState.rubber_band, QPoint(x, y));
    if (AppState.select_modules_mode) mark_pending_modules(current_cell(), t, AppState.rubber_band, QPoint(x, y));
    ui().draw_plan();
  }
  // Ctrl places the template exactly at the pointer, unsnapped.
  if (AppState.place_free_module_mode)
    move_free_template_to(rounded_plan_point(x, y, width, height), !(modifiers & Qt::ControlModifier));
  if (AppState.place_compact_mode) move_compact_template_to(rounded_plan_point(x, y, width, height));
  AppState.mouse_x = x;
  AppState.mouse_y = y;
}

void plan_mouse_up(Qt::MouseButton button) { release_on_plan(button == Qt::RightButton); }

bool plan_key_down(int key, Qt::KeyboardModifiers modifiers) {
  const double step = arrow_step(modifiers);
  const bool arrow = is_arrow(key), enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  const Tvec2 d = arrow ? arrow_direction(key) : Tvec2{};
  const Tvec2 by{step * d.x, step * d.y};
  if (key == Qt::Key_Escape) leave_edit_mode();
  // With Ctrl the step is 10 and the template does not snap.
  if (arrow && AppState.place_free_module_mode) move_free_template_by(by, !(modifiers & Qt::ControlModifier));
  // Enter that places a module is the plan's alone: a focused button
  // would otherwise act on it too.
  const bool placed = enter && (AppState.place_free_module_mode || AppState.place_compact_mode);
  if (enter && AppState.place_free_module_mode) place_free_module();
  if (arrow && AppState.place_compact_mode) move_compact_template_by(by);
  if (enter && AppState.place_compact_mode) place_compact_block();
  if (key == Qt::Key_Delete) delete_free_module_selection();
  if (arrow) move_selected_free_modules(by);
  return arrow || placed;
}

void plan_key_up(int key) {
  if (is_arrow(key)) record_key_moves();
}
