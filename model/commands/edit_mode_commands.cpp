#include "model/commands/edit_mode_commands.h"

#include "model/layout/edit_modes.h"
#include "model/layout/finish_edit.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/tool_buttons.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

void start_outline() {
  end_edit_mode(true);
  if (AppState.outline_mode) {
    for (Tlinea& wall : current_cell().walls) wall.selected = false;
    end_edit_mode(true);
    ui().draw_plan();
    return;
  }
  end_edit_mode(true);
  if (!read_current_cell().walls.empty()) {
    if (!ui().ask_yes_no(lang_text(text::discard_outline_question))) {
      ui().set_tool_button_down(tool_button::outline, false);
      return;
    }
    current_cell().walls.clear();
    current_cell().free_modules.clear();
    // An open 3-D view must not go on showing the discarded room.
    finish_edit(EditKind::not_recorded, Views::scene_3d);
  }
  AppState.outline_mode = 1;
  AppState.segment_pending = 1;
  AppState.segment_start = {0.0, 0.0};
  ui().set_tool_button_down(tool_button::outline, true);
}

void set_selection_mode(int button, bool on) {
  const bool walls = button == tool_button::select_walls;
  AppState.select_walls_mode = walls && on;
  AppState.select_modules_mode = !walls && on;
  release_tool_buttons();
  clear_all_selections();
  if (!on) end_edit_mode(true);
  AppState.place_free_module_mode = 0;
  AppState.place_compact_mode = 0;
  finish_edit(EditKind::not_recorded, Views::side_panel | Views::plan);
  ui().set_tool_button_down(button, on);
}
