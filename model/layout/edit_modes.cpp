#include "model/layout/edit_modes.h"

#include <array>
#include <cstddef>
#include <utility>

#include "model/layout/cell_walls.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/tool_buttons.h"
#include "model/state/ui_seam.h"

void end_edit_mode(bool close_outline) {
  if (close_outline && AppState.outline_mode) close_room_outline();
  if (!ui().tool_button_down(tool_button::select_walls)) {
    for (Tlinea& wall : current_cell().walls) wall.selected = false;
  } else {
    ui().set_tool_button_down(tool_button::select_walls, false);
  }
  if (ui().tool_button_down(tool_button::select_modules)) ui().set_tool_button_down(tool_button::select_modules, false);
  ui().set_tool_button_down(tool_button::outline, false);
  AppState.select_walls_mode = 0;
  AppState.select_modules_mode = 0;
  AppState.place_free_module_mode = 0;
  AppState.place_compact_mode = 0;
  AppState.rubber_band = {-1, -1, -1, -1};
  clear_all_selections();
  AppState.free_module_template.code.clear();
}

void release_tool_buttons() {
  static constexpr std::array<int, 17> mode_buttons{
      tool_button::fit_plan,     tool_button::outline,       tool_button::undo,
      tool_button::redo,         tool_button::no_button_4,   tool_button::compact_line_divider,
      tool_button::zoom_in,      tool_button::zoom_out,      tool_button::select_walls,
      tool_button::no_button_7,  tool_button::view_3d,       tool_button::no_button_10,
      tool_button::no_button_11, tool_button::print,         tool_button::save,
      tool_button::archive,      tool_button::select_modules};
  for (int button : mode_buttons) ui().set_tool_button_down(button, false);
}

namespace {

bool has_selection(const Tcell& cell) {
  for (const Tlinea& wall : cell.walls) {
    if (wall.selected || wall.selected2) return true;
    for (const Tmodulo& bay : wall.modules)
      if (bay.selected || bay.selected2) return true;
  }
  for (const Tmodulo_agg& module : cell.free_modules)
    if (module.selected || module.selected2) return true;
  return false;
}

}  // namespace

void clear_all_selections() {
  // Only cells with something selected are touched, so the others stay shared with the undo step.
  for (std::size_t c = 0; c < Cells.size(); ++c) {
    if (!has_selection(std::as_const(Cells)[c])) continue;
    Tcell& cell = Cells[c];
    for (Tlinea& wall : cell.walls) {
      wall.selected = wall.selected2 = false;
      for (Tmodulo& bay : wall.modules) bay.selected = bay.selected2 = false;
    }
    for (Tmodulo_agg& module : cell.free_modules) module.selected = module.selected2 = false;
  }
}

void toggle_pending_selection(Tcell& cell) {
  for (Tlinea& wall : cell.walls) {
    if (wall.selected2) wall.selected = !wall.selected;
    for (Tmodulo& bay : wall.modules) {
      if (bay.selected2) bay.selected = !bay.selected;
    }
  }
  for (Tmodulo_agg& module : cell.free_modules) {
    if (module.selected2) module.selected = !module.selected;
  }
}
