#include "editor/plan/plan_editing.h"

#include <QPoint>
#include <cmath>

#include "editor/plan/plan_selection.h"
#include "editor/plan/plan_zoom.h"
#include "model/base/rounding.h"
#include "model/layout/edit_modes.h"
#include "model/layout/finish_edit.h"
#include "model/layout/free_module_clearances.h"
#include "model/layout/undo_history.h"
#include "model/layout/wall_editing.h"
#include "model/modules/free_module_placement.h"
#include "model/modules/free_module_snapping.h"
#include "model/state/current_cell.h"
#include "model/state/ui_seam.h"
#include "output/user_numbers.h"

namespace {

// Selected free modules moved by arrow keys since the last key release.
bool selection_moved_by_keys = false;

bool any_edit_mode() {
  return AppState.select_walls_mode || AppState.select_modules_mode || AppState.place_free_module_mode ||
         AppState.place_compact_mode;
}

bool selecting() { return AppState.select_walls_mode || AppState.select_modules_mode; }

// A right click turns the template between running along x and along y.
void turn_free_template() {
  Tmodulo_agg& t = AppState.free_module_template;
  t.orientation = t.orientation == 'H' ? 'V' : 'H';
  t.fit_plan_extent();
}

void turn_compact_template() {
  Tcorvane& t = AppState.compact_template;
  t.orientation = t.orientation == 'H' ? 'V' : 'H';
  t.extent_x = t.orientation == 'V' ? t.depth : t.overall_length;
  t.extent_y = t.orientation == 'V' ? t.overall_length : t.depth;
}

// The free-module template at a new centre: no joints, run-end frames on both
// ends, snapped to its neighbours unless Ctrl is held, clearances measured.
void settle_free_template(Qt::KeyboardModifiers modifiers) {
  Tmodulo_agg& t = AppState.free_module_template;
  t.side_flags = kFreeStandingSideFlags;
  t.coupled_with = -1;
  if (!(modifiers & Qt::ControlModifier)) snap_free_module(t, false);
  compute_free_module_clearances(t);
}

void place_free_module() {
  add_free_module();
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void place_compact_block() {
  if (add_compact_block()) finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

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

void move_selected_free_modules(const Tvec2& by) {
  Tcell& cell = current_cell();
  for (Tmodulo_agg& module : cell.free_modules) {
    if (!module.selected) continue;
    module.x += by.x;
    module.y += by.y;
    selection_moved_by_keys = true;
  }
  for (Tmodulo_agg& module : cell.free_modules) compute_free_module_clearances(module);
  finish_edit(EditKind::not_recorded, Views::scene_3d | Views::plan);
}

void leave_mode(bool drawing_outline) {
  if (drawing_outline) {
    AppState.outline_mode = 0;
    current_cell().walls.clear();  // the outline drawn so far
  }
  end_edit_mode(true);
  finish_edit(EditKind::not_recorded, Views::side_panel | Views::plan);
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
  if (right && AppState.place_free_module_mode) turn_free_template();
  if (right && AppState.place_compact_mode) turn_compact_template();
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
  if (AppState.place_free_module_mode) {
    const Tvec2 at = rounded_plan_point(x, y, width, height);
    AppState.free_module_template.x = at.x;
    AppState.free_module_template.y = at.y;
    settle_free_template(modifiers);
    ui().draw_plan();
  }
  if (AppState.place_compact_mode) {
    const Tvec2 at = rounded_plan_point(x, y, width, height);
    AppState.compact_template.x = at.x;
    AppState.compact_template.y = at.y;
    preview_compact_block();
    ui().draw_plan();
  }
  AppState.mouse_x = x;
  AppState.mouse_y = y;
}

void plan_mouse_up(Qt::MouseButton button) {
  if (selecting() && AppState.rubber_band[0] >= 0) {
    AppState.rubber_band = {-1, -1, -1, -1};
    toggle_pending_selection(current_cell());
  }
  if (selecting() && button == Qt::RightButton) clear_all_selections();
  finish_edit(EditKind::not_recorded, Views::side_panel | Views::plan);
}

bool plan_key_down(int key, Qt::KeyboardModifiers modifiers) {
  const double step = arrow_step(modifiers);
  const bool arrow = is_arrow(key), enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  const Tvec2 d = arrow ? arrow_direction(key) : Tvec2{};
  if (key == Qt::Key_Escape) leave_mode(AppState.outline_mode);
  if (arrow && AppState.place_free_module_mode) {
    AppState.free_module_template.x += step * d.x;
    AppState.free_module_template.y += step * d.y;
    settle_free_template(modifiers);
    finish_edit(EditKind::not_recorded, Views::scene_3d | Views::plan);
  }
  // Enter that places a module is the plan's alone: a focused button
  // would otherwise act on it too.
  const bool placed = enter && (AppState.place_free_module_mode || AppState.place_compact_mode);
  if (enter && AppState.place_free_module_mode) place_free_module();
  if (arrow && AppState.place_compact_mode) {
    AppState.compact_template.x += step * d.x;
    AppState.compact_template.y += step * d.y;
    finish_edit(EditKind::not_recorded, Views::scene_3d | Views::plan);
  }
  if (enter && AppState.place_compact_mode) place_compact_block();
  if (key == Qt::Key_Delete) {
    bool any_selected = false;
    for (const Tmodulo_agg& module : current_cell().free_modules) any_selected = any_selected || module.selected;
    if (any_selected) {
      delete_selected_free_modules();
      finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
    }
  }
  if (arrow) move_selected_free_modules({step * d.x, step * d.y});
  return arrow || placed;
}

void plan_key_up(int key) {
  if (!is_arrow(key) || !selection_moved_by_keys) return;
  selection_moved_by_keys = false;
  finish_edit(EditKind::changed, Views::none);
}
