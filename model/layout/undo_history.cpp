#include "model/layout/undo_history.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <memory>
#include <vector>

#include "model/layout/edit_modes.h"
#include "model/layout/geometry_check.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/state_fields.h"
#include "model/state/tool_buttons.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

int history_size() { return static_cast<int>(UndoHistory.size()); }

void update_undo_buttons() {
  ui().set_tool_button_enabled(tool_button::undo, UndoPosition >= 1);
  ui().set_tool_button_enabled(tool_button::redo, UndoPosition < history_size() - 1);
}

bool current_outline_needs_check() {
  const int index = AppState.current_cell;
  if (index < 0 || index >= static_cast<int>(Cells.size())) return false;
  return read_current_cell().outline_closed && !AppState.outline_mode;
}

// The new step's current outline is invalid: it is the edit's fault only when
// the step before held that room valid. A room that was invalid there already
// (stored so in its file, and only a new outline mends it) is no edit's
// fault: at its place, or made current, copied or moved with the same walls.
// Returning to the step before would restore no valid room, only undo the
// user's work on it. The first step has none before it and stands.
bool edit_broke_the_outline() {
  if (UndoPosition < 1) return false;
  const std::vector<std::shared_ptr<const Tcell>>& before =
      UndoHistory[static_cast<std::size_t>(UndoPosition - 1)].cells;
  const auto index = static_cast<std::size_t>(AppState.current_cell);
  const Tcell& cell = read_current_cell();
  if (index < before.size() && has_invalid_outline(*before[index])) return false;
  return std::ranges::none_of(before, [&](const std::shared_ptr<const Tcell>& was) {
    return was->walls == cell.walls && has_invalid_outline(*was);
  });
}

// Returns to the step before the rejected one, whole, and forgets the
// rejected step.
void roll_back_invalid_edit() {
  step_undo_history(-1);
  UndoHistory.pop_back();
  update_undo_buttons();
  end_edit_mode(false);
  ui().show_message(lang_text(text::invalid_value));
}

// The cells of a new step: a cell not touched since the last step (or the
// restore of one) is that step's stored copy, known without comparing. A
// touched cell that came out as the step before holds it at its place is
// that copy too (so an edit that changes nothing stores nothing); the others
// are copied. Either way the cell is then known to equal its step's copy.
std::vector<std::shared_ptr<const Tcell>> cells_of_new_step() {
  const std::vector<std::shared_ptr<const Tcell>>* before =
      UndoPosition >= 0 ? &UndoHistory[static_cast<std::size_t>(UndoPosition)].cells : nullptr;
  const Tcells& cells = Cells;
  std::vector<std::shared_ptr<const Tcell>> step;
  step.reserve(cells.size());
  for (std::size_t c = 0; c < cells.size(); ++c) {
    std::shared_ptr<const Tcell> stored = cells.stored(c);
    // A change made through a reference kept from before the last step would be lost here.
    assert(!stored || *stored == cells[c]);
    if (!stored) {
      const bool as_before = before && c < before->size() && *(*before)[c] == cells[c];
      stored = as_before ? (*before)[c] : std::make_shared<const Tcell>(cells[c]);
      Cells.set_stored(c, stored);
    }
    step.push_back(std::move(stored));
  }
  return step;
}

// The live cells as the step stored them, without their second wall marks; a
// cell that had none stays known to equal its stored copy.
void restore_cells(const std::vector<std::shared_ptr<const Tcell>>& step) {
  Cells.clear();
  for (std::size_t c = 0; c < step.size(); ++c) {
    Tcell cell = *step[c];
    bool marked = false;
    for (Tlinea& wall : cell.walls) {
      marked = marked || wall.selected2;
      wall.selected2 = false;
    }
    Cells.push_back(std::move(cell));
    if (!marked) Cells.set_stored(c, step[c]);
  }
}

}  // namespace

void push_undo_snapshot() {
  AppState.modified = 1;
  for (std::size_t c = 0; c < Cells.size(); ++c) Cells.set_picture(c, nullptr);
  Tundo_snapshot entry{cells_of_new_step(), AppState};
  ++UndoPosition;
  UndoHistory.resize(static_cast<std::size_t>(UndoPosition));
  UndoHistory.push_back(std::move(entry));
  // Redo is refreshed too: a new step drops whatever had been undone.
  update_undo_buttons();
  if (current_outline_needs_check() && !check_cell_geometry() && edit_broke_the_outline()) roll_back_invalid_edit();
}

void step_undo_history(int delta) {
  const int target = UndoPosition + delta;
  if (target >= 0 && target < history_size()) {
    UndoPosition = target;
    const Tundo_snapshot& entry = UndoHistory[static_cast<std::size_t>(target)];
    // A step restores the editing state only: the preferences stay as the
    // user set them since (restoring an older unit factor while the inch
    // catalogue is loaded would misread every typed value), and so does the
    // file the project is saved in.
    Tvar_amb restored = entry.state;
    keep_fields_undo_keeps(AppState, restored);
    restored.modified = 1;
    AppState = std::move(restored);
    restore_cells(entry.cells);
  }
  update_undo_buttons();
  if (AppState.current_cell >= static_cast<int>(Cells.size()) || AppState.current_cell < 0) AppState.current_cell = 0;
}
