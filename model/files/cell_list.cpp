#include "model/files/cell_list.h"

#include <cstddef>
#include <utility>

#include "model/base/text_io.h"
#include "model/layout/compact_groups.h"
#include "model/layout/finish_edit.h"
#include "model/layout/undo_history.h"
#include "model/state/globals.h"

void add_cell(const std::string& name, int copy_from) {
  Tcell cell;
  if (copy_from >= 0 && static_cast<std::size_t>(copy_from) < Cells.size()) {
    cell = std::as_const(Cells)[static_cast<std::size_t>(copy_from)];
    cell.picture.reset();
  }
  cell.name = cut_text(name, kTextBytes);  // the most a project file reads back
  Cells.push_back(std::move(cell));
  AppState.current_cell = static_cast<int>(Cells.size()) - 1;
  rebuild_derived_values();
}

CellOrderForm cell_order_form() {
  CellOrderForm form;
  for (std::size_t i = 0; i < Cells.size(); ++i) form.order.push_back(static_cast<int>(i));
  form.selected = AppState.current_cell;
  return form;
}

void move_cell_line(CellOrderForm& form, int by) {
  const int to = form.selected + by;
  if (form.selected < 0 || to < 0 || to >= static_cast<int>(form.order.size())) return;
  std::swap(form.order[static_cast<std::size_t>(form.selected)], form.order[static_cast<std::size_t>(to)]);
  form.selected = to;
}

void apply_cell_order(const CellOrderForm& form) {
  if (form.order.size() != Cells.size()) return;
  const int shown = AppState.current_cell;
  const bool selected = form.selected >= 0 && form.selected < static_cast<int>(form.order.size());
  AppState.current_cell = selected ? form.selected : 0;
  const bool other_cell = form.order[static_cast<std::size_t>(AppState.current_cell)] != shown;
  // Moved, not copied: the undo step shares every cell with the step before.
  Cells.reorder(form.order);
  // Another cell made current is shown as a tab change shows it; the cell
  // that stays current is only redrawn.
  finish_edit(EditKind::changed, other_cell ? Views::scene_3d | Views::side_panel | Views::fitted_plan : Views::plan);
}
