#include "model/layout/door_split.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "model/base/string_utils.h"
#include "model/layout/cell_walls.h"
#include "model/layout/finish_edit.h"
#include "model/state/current_cell.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

DoorForm door_form_for_wall(const Tcell& cell, int wall) {
  DoorForm form;
  if (wall < 0 || static_cast<std::size_t>(wall) >= cell.walls.size()) return form;
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall)];
  form.wall = wall;
  form.total = std::hypot(w.x2 - w.x1, w.y2 - w.y1);
  form.opening = kDefaultDoorWidth;
  form.first = form.third = (form.total - form.opening) / 2;
  return form;
}

void change_door_first(DoorForm& form, double mm) {
  form.first = mm;
  form.third = form.total - form.opening - form.first;
}

void change_door_opening(DoorForm& form, double mm) {
  form.opening = mm;
  const double rest = form.total - form.first - form.third - form.opening;
  form.first += rest / 2;
  form.third += rest / 2;
}

void change_door_third(DoorForm& form, double mm) {
  form.third = mm;
  form.first = form.total - form.opening - form.third;
}

bool read_door_part(const std::string& text, double& value) {
  if (parse_typed_number(text, value)) return true;
  ui().show_message("'" + text + "' is not a valid floating point value");
  return false;
}

bool apply_door_form(const DoorForm& form) {
  Tcell& cell = current_cell();
  const std::size_t i = static_cast<std::size_t>(form.wall);
  if (form.wall < 0 || i >= cell.walls.size() || !(form.first > 0 && form.opening > 0 && form.third > 0)) {
    ui().show_message(lang_text(text::invalid_value));
    return false;
  }
  Tlinea& wall = cell.walls[i];
  wall.module_count = 0;
  wall.shelf_count = 0;
  wall.selected2 = false;
  cell.walls.insert(cell.walls.begin() + static_cast<std::ptrdiff_t>(i) + 1, 2, cell.walls[i]);
  const Tvec2 d = wall_direction(cell.walls[i]);
  // The parts were typed in screen order; a wall running right to left or
  // top to bottom (plan y points up) meets them the other way round.
  double a = form.first, c = form.third;
  const Tlinea& split = cell.walls[i];
  if ((split.orientation == 'H' && split.x2 < split.x1) || (split.orientation != 'H' && split.y2 > split.y1)) {
    std::swap(a, c);
  }
  const int count = static_cast<int>(cell.walls.size());
  Tlinea& before = cell.walls[i];
  before.x2 = before.x1 + a * d.x;
  before.y2 = before.y1 + a * d.y;
  before.end_angle = 0.0;
  Tlinea& opening = cell.walls[i + 1];
  opening.x1 = before.x2;
  opening.y1 = before.y2;
  opening.x2 = opening.x1 + form.opening * d.x;
  opening.y2 = opening.y1 + form.opening * d.y;
  opening.start_angle = opening.end_angle = 0.0;
  opening.kind = 0;
  opening.priority = count - 1;
  Tlinea& after = cell.walls[i + 2];
  after.x1 = opening.x2;
  after.y1 = opening.y2;
  after.x2 = after.x1 + c * d.x;
  after.y2 = after.y1 + c * d.y;
  after.start_angle = 0.0;
  after.priority = count - 2;
  // Two undo steps: the split walls, then the cell laid out again.
  finish_edit(EditKind::changed, Views::side_panel);
  finish_edit(EditKind::laid_out, Views::plan);
  return true;
}
