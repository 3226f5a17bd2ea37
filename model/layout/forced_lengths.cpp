#include "model/layout/forced_lengths.h"

#include <cstddef>

#include "model/layout/finish_edit.h"
#include "model/state/current_cell.h"

namespace {

const Tlinea* wall_of(const Tcell& cell, int wall) {
  return wall >= 0 && static_cast<std::size_t>(wall) < cell.walls.size() ? &cell.walls[static_cast<std::size_t>(wall)]
                                                                         : nullptr;
}

double row_length(const ForcedLengthsForm& form, const Tlinea& wall, std::size_t row) {
  const int choice = form.choices[row];
  if (choice >= 0 && static_cast<std::size_t>(choice) < LengthList.size())
    return LengthList[static_cast<std::size_t>(choice)];
  return row < wall.modules.size() ? wall.modules[row].length : 0.0;
}

}  // namespace

ForcedLengthsForm forced_lengths_form(const Tcell& cell, int wall) {
  ForcedLengthsForm form;
  const Tlinea* w = wall_of(cell, wall);
  if (!w) return form;
  form.wall = wall;
  for (const Tmodulo& bay : w->modules) {
    int choice = -1;
    for (std::size_t k = 0; k < LengthList.size() && choice < 0; ++k) {
      if (LengthList[k] == bay.length) choice = static_cast<int>(k);
    }
    form.choices.push_back(choice);
    form.start_total += bay.length;
  }
  return form;
}

double forced_lengths_total(const ForcedLengthsForm& form, const Tcell& cell) {
  const Tlinea* w = wall_of(cell, form.wall);
  double total = 0.0;
  for (std::size_t row = 0; w && row < form.choices.size(); ++row) total += row_length(form, *w, row);
  return total;
}

void apply_forced_lengths(const ForcedLengthsForm& form) {
  Tcell& cell = current_cell();
  const Tlinea* w = wall_of(cell, form.wall);
  if (!w) return;
  std::vector<double> lengths;
  for (std::size_t row = 0; row < form.choices.size(); ++row) lengths.push_back(row_length(form, *w, row));
  cell.walls[static_cast<std::size_t>(form.wall)].forced_lengths = lengths;
  finish_edit(EditKind::laid_out, Views::plan);
}

void remove_forced_lengths(int wall) {
  Tcell& cell = current_cell();
  if (!wall_of(cell, wall)) return;
  cell.walls[static_cast<std::size_t>(wall)].forced_lengths.clear();
  finish_edit(EditKind::laid_out, Views::plan);
}
