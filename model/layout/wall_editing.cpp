#include "model/layout/wall_editing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "model/base/plane_vectors.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/layout/cell_walls.h"
#include "model/layout/edit_modes.h"
#include "model/layout/finish_edit.h"
#include "model/layout/layout_passes.h"
#include "model/layout/outline_queries.h"
#include "model/layout/undo_history.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/tool_buttons.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

std::string unit_suffix() { return AppState.inches ? " (in)" : " (mm)"; }

// Asks for a length; false when the user cancels or types no number (then
// text::invalid_value is shown).
bool ask_length(int caption_text, int prompt_text, std::string value_text, double& value) {
  if (!ui().input_query(lang_text(caption_text), lang_text(prompt_text) + unit_suffix(), value_text)) return false;
  if (!parse_typed_number(value_text, value)) {
    ui().show_message(lang_text(text::invalid_value));
    return false;
  }
  return true;
}

// The distance that brings the next wall level with the outline's start.
std::string closing_length_text(const Tcell& cell, char decimal_separator) {
  if (cell.walls.size() <= 1) return "";
  const Tlinea& first = cell.walls.front();
  const Tlinea& last = cell.walls.back();
  const double distance = last.orientation == 'V' ? std::fabs(last.x2 - first.x1) : std::fabs(last.y2 - first.y1);
  return format_general(distance / AppState.unit_factor, decimal_separator);
}

// Normals turned by -90 degrees ((0, 1) -> (1, 0)) and by +90 degrees ((0, 1) -> (-1, 0)).
Tvec2 turned_clockwise(const Tvec2& n) { return vec_make(n.y, -n.x); }
Tvec2 turned_anticlockwise(const Tvec2& n) { return vec_make(-n.y, n.x); }

void set_normal(Tlinea& wall, const Tvec2& n) {
  wall.normal_x = n.x;
  wall.normal_y = n.y;
}

int last_selected_wall(const Tcell& cell, bool openings_only) {
  for (int i = static_cast<int>(cell.walls.size()) - 1; i >= 0; --i) {
    const Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
    if (w.selected && (!openings_only || w.kind == 0)) return i;
  }
  return -1;
}

void move_start(Tlinea& wall, const Tvec2& shift) {
  wall.x1 += shift.x;
  wall.y1 += shift.y;
}

void move_end(Tlinea& wall, const Tvec2& shift) {
  wall.x2 += shift.x;
  wall.y2 += shift.y;
}

// Moves the walls collinear with wall w in one direction round the outline,
// then the first perpendicular one at its near end only; never more than once round.
void move_collinear_run(Tcell& cell, int w, const Tvec2& shift, bool forward) {
  const char orientation = cell.walls[static_cast<std::size_t>(w)].orientation;
  for (int j = forward ? next_wall_index(cell, w) : previous_wall_index(cell, w); j != w;
       j = forward ? next_wall_index(cell, j) : previous_wall_index(cell, j)) {
    Tlinea& wall = cell.walls[static_cast<std::size_t>(j)];
    if (wall.orientation != orientation) {
      forward ? move_start(wall, shift) : move_end(wall, shift);
      return;
    }
    move_start(wall, shift);
    move_end(wall, shift);
  }
}

}  // namespace

void add_wall_by_length(char decimal_separator) {
  if (!AppState.outline_mode || !AppState.segment_pending) return;
  Tcell& cell = current_cell();
  double value = 0.0;
  if (!ask_length(text::wall_length_caption, text::wall_length_prompt, closing_length_text(cell, decimal_separator),
                  value))
    return;
  // The wall runs the way the segment was dragged: no length, one backwards,
  // or a pointer on the last corner's line (no way shown) is no wall.
  const bool no_direction = AppState.segment_offset[0] == 0 && AppState.segment_offset[1] == 0;
  if (!(value > 0.0) || no_direction) {
    ui().show_message(lang_text(text::invalid_value));
    return;
  }
  if (AppState.inches) value *= MmPerInch;

  Tlinea wall;
  wall.x1 = wall.x2 = AppState.segment_start[0];
  wall.y1 = wall.y2 = AppState.segment_start[1];
  wall.priority = static_cast<int>(cell.walls.size());
  wall.kind = 1;
  // The dragged segment's offset is in screen pixels, y pointing down.
  if (AppState.segment_offset[0] == 0) {
    wall.y2 -= sign(AppState.segment_offset[1]) * value;
    wall.orientation = 'V';
  } else {
    wall.x2 += sign(AppState.segment_offset[0]) * value;
    wall.orientation = 'H';
  }
  cell.walls.push_back(wall);
  AppState.segment_start = {wall.x2, wall.y2};
  if (outline_is_closed(cell)) close_room_outline();

  finish_edit(EditKind::changed, Views::scene_3d | Views::fitted_plan);
}

void close_room_outline() {
  if (!AppState.outline_mode) return;
  Tcell& cell = current_cell();
  const std::size_t count = cell.walls.size();
  if (count % 2 != 0 || count < 4) return;
  const Tlinea& first = cell.walls.front();
  Tlinea& last = cell.walls.back();
  if (last.x2 != first.x1 || last.y2 != first.y1) {
    if (ui().ask_yes_no(lang_text(text::close_outline_question))) {
      // The loose end is brought onto the start; the wall before stretches.
      Tlinea& before = cell.walls[count - 2];
      if (last.orientation == 'H') {
        last.y1 = first.y1;
        before.y2 = first.y1;
      } else {
        last.x1 = first.x1;
        before.x2 = first.x1;
      }
      last.x2 = first.x1;
      last.y2 = first.y1;
    } else {
      cell.walls.clear();
    }
  }
  cell.outline_closed = true;
  AppState.outline_mode = 0;
  ui().set_tool_button_down(tool_button::outline, false);
  if (!cell.walls.empty()) {
    compute_wall_normals();
    centre_cell_outline();
    compute_usable_lengths();
  }
  finish_edit(EditKind::changed, Views::scene_3d | Views::plan);
}

void compute_wall_normals() {
  Tcell& cell = current_cell();
  if (cell.walls.empty()) return;
  double max_x = cell.walls.front().x1;
  for (const Tlinea& w : cell.walls) max_x = std::max({max_x, w.x1, w.x2});
  auto rightmost = std::find_if(cell.walls.begin(), cell.walls.end(),
                                [&](const Tlinea& w) { return w.x1 == max_x && w.x2 == max_x; });
  if (rightmost == cell.walls.end()) return;
  const int start = static_cast<int>(rightmost - cell.walls.begin());
  set_normal(*rightmost, vec_make(1, 0));
  int i = start;
  do {
    const int j = next_wall_index(cell, i);
    Tlinea& a = cell.walls[static_cast<std::size_t>(i)];
    Tlinea& b = cell.walls[static_cast<std::size_t>(j)];
    const double angle = vec_angle_deg(wall_direction(a), wall_direction(b));
    if (angle == -90.0) set_normal(b, turned_clockwise(wall_normal(a)));
    if (angle == 90.0) set_normal(b, turned_anticlockwise(wall_normal(a)));
    // A straight continuation faces the same way as the wall it continues;
    // a freshly drawn piece has no normal of its own yet.
    if (angle == 0.0) set_normal(b, wall_normal(a));
    a.end_angle = angle;
    b.start_angle = angle;
    i = j;
  } while (i != start);
}

void move_selection_by_value(const Tvec2& direction) {
  Tcell& cell = current_cell();
  const int w = last_selected_wall(cell, false);
  if (w < 0) return;  // nothing to move: the user is not asked for a distance
  double value = 0.0;
  if (!ask_length(text::move_wall_caption, text::move_wall_prompt, "0", value)) return;
  const Tvec2 shift = (value * AppState.unit_factor) * direction;
  Tlinea& wall = cell.walls[static_cast<std::size_t>(w)];
  move_start(wall, shift);
  move_end(wall, shift);
  if (!vec_same_or_opposite(wall_direction(wall), direction)) {
    move_collinear_run(cell, w, shift, true);
    move_collinear_run(cell, w, shift, false);
  } else {
    move_start(cell.walls[static_cast<std::size_t>(next_wall_index(cell, w))], shift);
    move_end(cell.walls[static_cast<std::size_t>(previous_wall_index(cell, w))], shift);
  }
}

void remove_door() {
  Tcell& cell = current_cell();
  const int d = last_selected_wall(cell, true);
  // An opening always lies between two pieces of the wall it was cut into.
  if (d <= 0 || d + 1 >= static_cast<int>(cell.walls.size())) return;
  if (!ui().ask_yes_no(lang_text(text::remove_door_question))) return;
  Tlinea& before = cell.walls[static_cast<std::size_t>(d - 1)];
  const Tlinea& after = cell.walls[static_cast<std::size_t>(d + 1)];
  before.x2 = after.x2;
  before.y2 = after.y2;
  before.end_angle = after.end_angle;
  cell.walls.erase(cell.walls.begin() + d, cell.walls.begin() + d + 2);
  // The joined wall must not keep the bays of its first piece.
  finish_edit(EditKind::laid_out_leaving_modes, Views::plan);
}
