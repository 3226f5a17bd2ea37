#include "model/commands/plan_edits.h"

#include "model/layout/edit_modes.h"
#include "model/layout/finish_edit.h"
#include "model/layout/free_module_clearances.h"
#include "model/modules/free_module_placement.h"
#include "model/modules/free_module_snapping.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

namespace {

// Selected free modules moved by arrow keys since the last key release.
bool selection_moved_by_keys = false;

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

void settle_free_template(bool snap) {
  Tmodulo_agg& t = AppState.free_module_template;
  t.side_flags = kFreeStandingSideFlags;
  t.coupled_with = -1;
  if (snap) snap_free_module(t, false);
  compute_free_module_clearances(t);
}

bool any_free_module_selected() {
  for (const Tmodulo_agg& module : read_current_cell().free_modules)
    if (module.selected) return true;
  return false;
}

}  // namespace

void turn_template() {
  if (AppState.place_free_module_mode) turn_free_template();
  if (AppState.place_compact_mode) turn_compact_template();
}

void place_free_module() {
  add_free_module();
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void place_compact_block() {
  if (add_compact_block()) finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void move_free_template_to(const Tvec2& centre, bool snap) {
  AppState.free_module_template.x = centre.x;
  AppState.free_module_template.y = centre.y;
  settle_free_template(snap);
  ui().draw_plan();
}

void move_free_template_by(const Tvec2& step, bool snap) {
  AppState.free_module_template.x += step.x;
  AppState.free_module_template.y += step.y;
  settle_free_template(snap);
  finish_edit(EditKind::not_recorded, Views::scene_3d | Views::plan);
}

void move_compact_template_to(const Tvec2& centre) {
  AppState.compact_template.x = centre.x;
  AppState.compact_template.y = centre.y;
  preview_compact_block();
  ui().draw_plan();
}

void move_compact_template_by(const Tvec2& step) {
  AppState.compact_template.x += step.x;
  AppState.compact_template.y += step.y;
  finish_edit(EditKind::not_recorded, Views::scene_3d | Views::plan);
}

void move_selected_free_modules(const Tvec2& step) {
  Tcell& cell = current_cell();
  for (Tmodulo_agg& module : cell.free_modules) {
    if (!module.selected) continue;
    module.x += step.x;
    module.y += step.y;
    selection_moved_by_keys = true;
  }
  for (Tmodulo_agg& module : cell.free_modules) compute_free_module_clearances(module);
  finish_edit(EditKind::not_recorded, Views::scene_3d | Views::plan);
}

void record_key_moves() {
  if (!selection_moved_by_keys) return;
  selection_moved_by_keys = false;
  finish_edit(EditKind::changed, Views::none);
}

void delete_free_module_selection() {
  if (!any_free_module_selected()) return;
  delete_selected_free_modules();
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void release_on_plan(bool right_button) {
  const bool selecting = AppState.select_walls_mode || AppState.select_modules_mode;
  if (selecting && AppState.rubber_band[0] >= 0) {
    AppState.rubber_band = {-1, -1, -1, -1};
    toggle_pending_selection(current_cell());
  }
  if (selecting && right_button) clear_all_selections();
  finish_edit(EditKind::not_recorded, Views::side_panel | Views::plan);
}

void leave_edit_mode() {
  if (AppState.outline_mode) {
    AppState.outline_mode = 0;
    current_cell().walls.clear();  // the outline drawn so far
  }
  end_edit_mode(true);
  finish_edit(EditKind::not_recorded, Views::side_panel | Views::plan);
}
