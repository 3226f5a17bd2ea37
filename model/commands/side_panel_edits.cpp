#include "model/commands/side_panel_edits.h"

#include "model/base/text_io.h"
#include "model/layout/cell_walls.h"
#include "model/layout/corner_joints.h"
#include "model/layout/finish_edit.h"
#include "model/layout/free_module_clearances.h"
#include "model/layout/layout_engine.h"
#include "model/layout/shelf_editing.h"
#include "model/layout/shelf_patterns.h"
#include "model/layout/wall_editing.h"
#include "model/modules/module_kind.h"
#include "model/state/current_cell.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

template <class Change>
void for_selected_walls(Change change) {
  Tcell& cell = current_cell();
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    if (cell.walls[i].selected) change(cell.walls[i], static_cast<int>(i));
  }
}

// Asks before an edit that regenerates hand-edited shelves; on Yes the edit
// runs and the whole chain follows, on No only the panel and plan refresh.
template <class Change>
void guarded_relayout(Change change) {
  if (!confirm_if_custom_shelves()) {
    finish_edit(EditKind::not_recorded, Views::side_panel | Views::plan);
    return;
  }
  change();
  finish_edit(EditKind::laid_out);
}

// A lower run joined at a corner takes the shelves of the neighbour's bay there.
void adopt_corner_pattern(Tlinea& wall, const Tmodulo& neighbour) {
  for (Tmodulo& bay : wall.modules) {
    bay.shelf_pattern = fit_shelf_pattern(neighbour.shelf_pattern, wall.shelf_count, wall.module_height);
    bay.shelf_count = shelf_count(bay.shelf_pattern);
    bay.custom_shelves = 1;
  }
  wall.shelf_count = neighbour.shelf_count;
}

// The corner rule after a change of shelves (by_height false) or height.
void apply_corner_rule(bool by_height) {
  Tcell& cell = current_cell();
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    Tlinea& wall = cell.walls[i];
    if (!wall.selected) continue;
    auto lower_than = [&](const Tlinea& other, const Tmodulo& bay) {
      if (by_height) return wall.module_height < bay.height;
      return wall.shelf_count < bay.shelf_count && !other.selected;
    };
    const Tlinea& previous = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, static_cast<int>(i)))];
    if (has_start_join(wall) && !previous.modules.empty() && lower_than(previous, previous.modules.back())) {
      adopt_corner_pattern(wall, previous.modules.back());
    }
    const Tlinea& next = cell.walls[static_cast<std::size_t>(next_wall_index(cell, static_cast<int>(i)))];
    if (has_end_join(wall) && !next.modules.empty() && lower_than(next, next.modules.front())) {
      adopt_corner_pattern(wall, next.modules.front());
    }
  }
}

template <class Change>
void for_selected_modules(Change change) {
  Tcell& cell = current_cell();
  for (Tlinea& wall : cell.walls) {
    for (Tmodulo& bay : wall.modules) {
      if (bay.selected) change(bay.height, bay.shelf_count, bay.shelf_pattern, bay.custom_shelves);
    }
  }
  for (Tmodulo_agg& module : cell.free_modules) {
    if (module.selected) change(module.height, module.shelf_count, module.shelf_pattern, module.custom_shelves);
  }
}

}  // namespace

bool parse_typed_integer(const std::string& text, int& value) {
  long long whole = 0;
  if (!parse_integer(text, whole) || whole < -1'000'000 || whole > 1'000'000) return false;
  value = static_cast<int>(whole);
  return true;
}

void edit_wall_length(double mm) {
  Tcell& cell = current_cell();
  int w = -1;
  for (int i = 0; i < static_cast<int>(cell.walls.size()); ++i) {
    if (cell.walls[static_cast<std::size_t>(i)].selected) w = i;
  }
  if (w < 0 || mm <= 0) return;
  Tlinea& wall = cell.walls[static_cast<std::size_t>(w)];
  Tlinea& next = cell.walls[static_cast<std::size_t>(next_wall_index(cell, w))];
  Tlinea& previous = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, w))];
  double h = (mm - vec_length(wall_end(wall) - wall_start(wall))) / 2;
  auto length_of = [](const Tlinea& l) { return vec_length(wall_end(l) - wall_start(l)); };
  // A neighbour that would vanish or turn round leaves the wall as it was.
  if (!(length_of(next) > h && length_of(previous) > h)) return;
  Tvec2 d = wall_direction(wall);
  Tvec2 start = wall_start(wall) - h * d;
  Tvec2 end = wall_end(wall) + h * d;
  wall.x1 = start.x;
  wall.y1 = start.y;
  wall.x2 = end.x;
  wall.y2 = end.y;
  next.x1 = end.x;
  next.y1 = end.y;
  previous.x2 = start.x;
  previous.y2 = start.y;
  finish_edit(EditKind::laid_out, Views::scene_3d | Views::plan);
}

void edit_module_count(int count) {
  int selected = 0;
  for_selected_walls([&](Tlinea&, int) { ++selected; });
  guarded_relayout([&] {
    for_selected_walls([&](Tlinea& wall, int index) {
      if (wall.module_count == 0) {
        wall.show_dimensions = true;
        if (selected == 1) set_wall_priority_twin(index, 0);
      }
      wall.module_count = count;
      if (wall.shelf_count == 0) wall.shelf_count = 4;
      if (wall.module_height <= 0) wall.module_height = 1700;
      if (wall.module_depth <= 0) wall.module_depth = 475;
    });
  });
}

void edit_wall_shelves(int count) {
  for_selected_walls([&](Tlinea& wall, int) {
    wall.shelf_count = count;
    for (Tmodulo& bay : wall.modules) {
      bay.shelf_count = count;
      bay.shelf_pattern = shelf_pattern(count, bay.height);
    }
  });
  apply_corner_rule(false);
  compute_end_frame_heights();
  finish_edit(EditKind::changed);
}

void edit_wall_height(double mm) {
  for_selected_walls([&](Tlinea& wall, int) {
    wall.module_height = mm;
    for (Tmodulo& bay : wall.modules) {
      bay.height = mm;
      bay.shelf_pattern = shelf_pattern(bay.shelf_count, mm);
    }
  });
  apply_corner_rule(true);
  join_corner_modules();
  compute_end_frame_heights();
  finish_edit(EditKind::changed);
}

void edit_wall_depth(double mm) {
  guarded_relayout([&] { for_selected_walls([&](Tlinea& wall, int) { wall.module_depth = mm; }); });
}

void edit_start_gap(int mm) {
  guarded_relayout([&] { for_selected_walls([&](Tlinea& wall, int) { wall.start_gap = mm; }); });
}

void edit_end_gap(int mm) {
  guarded_relayout([&] { for_selected_walls([&](Tlinea& wall, int) { wall.end_gap = mm; }); });
}

void edit_dimension_lines(bool shown) {
  for_selected_walls([&](Tlinea& wall, int) { wall.show_dimensions = shown; });
  finish_edit(EditKind::changed, Views::plan);
}

void move_selected_wall(const Tvec2& direction) {
  guarded_relayout([&] { move_selection_by_value(direction); });
}

void edit_wall_priority(bool highest) {
  Tcell& cell = current_cell();
  int selected = 0, wall_index = -1;
  for_selected_walls([&](Tlinea& wall, int index) {
    ++selected;
    if (wall.kind == 1) wall_index = index;
  });
  if (selected != 1 || wall_index < 0) return;
  guarded_relayout([&] { set_wall_priority(wall_index, highest ? static_cast<int>(cell.walls.size()) - 1 : 0); });
}

void edit_door(bool door, const std::function<void()>& show_dialog) {
  if (door)
    show_dialog();
  else
    remove_door();
  // The panel is refreshed either way, so that a door cancelled or kept on No
  // shows as it is.
  finish_edit(EditKind::not_recorded, Views::scene_3d | Views::side_panel);
}

void edit_forced_lengths(const std::function<void(int wall)>& show_dialog) {
  // The dialog edits the cell, so the walls are looked up afresh on each turn.
  for (std::size_t i = 0; i < read_current_cell().walls.size(); ++i) {
    if (!read_current_cell().walls[i].selected) continue;
    show_dialog(static_cast<int>(i));
    finish_edit(EditKind::not_recorded, Views::scene_3d);
  }
}

void edit_cell_clearance(double mm) {
  guarded_relayout([&] { current_cell().clearance = mm; });
}

void edit_wall_thickness(double mm) {
  current_cell().wall_thickness = mm;
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void edit_structure_type(int type) {
  current_cell().structure_type = type;
  finish_edit(EditKind::changed, Views::scene_3d);
}

void edit_module_height(double mm) {
  for_selected_modules([&](double& height, int& count, std::string& pattern, int& custom) {
    height = mm;
    pattern = shelf_pattern(count, mm);
    custom = 1;
  });
  compute_end_frame_heights();
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void edit_module_shelves(int count) {
  for_selected_modules([&](double& height, int& shelves, std::string& pattern, int& custom) {
    shelves = count;
    pattern = shelf_pattern(count, height);
    custom = 1;
  });
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void edit_free_module_width(double mm) {
  Tcell& cell = current_cell();
  for (Tmodulo_agg& module : cell.free_modules) {
    if (!module.selected) continue;
    module.width = mm;
    module.fit_plan_extent();
  }
  for (Tmodulo_agg& module : cell.free_modules) compute_free_module_clearances(module);
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void apply_dimension_sides(char side, Tick tick) {
  if (tick == Tick::Partly) return;
  Tcell& cell = current_cell();
  for (Tmodulo_agg& module : cell.free_modules) {
    if (!module.selected) continue;
    bool& flag = side == 'n' ? module.dim_n : side == 's' ? module.dim_s : side == 'e' ? module.dim_e : module.dim_o;
    flag = tick == Tick::Checked;
    compute_free_module_clearances(module);
  }
  // One undo step, so the change marks the project modified.
  finish_edit(EditKind::changed, Views::plan);
}

void apply_trolley_flag(Tick tick) {
  if (tick == Tick::Partly) return;
  for (Tmodulo_agg& module : current_cell().free_modules) {
    if (!module.selected || (module.kind() != ModuleKind::Trolley && !module.code.empty())) continue;
    module.code = tick == Tick::Checked ? std::string(kTrolleyCode) : std::string();
  }
  // A trolley stands on wheels in the 3-D view.
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void edit_shelves(const std::string& shelf_count, double height,
                  const std::function<void(const ShelvesForm&)>& show_dialog) {
  int shelves = 0;
  if (!parse_typed_integer(shelf_count, shelves)) {
    ui().show_message(lang_text(text::invalid_value));
    return;
  }
  show_dialog(shelves_form_for_selection(read_current_cell(), shelves, height));
  compute_end_frame_heights();
  finish_edit(EditKind::not_recorded, Views::scene_3d | Views::side_panel);
}
