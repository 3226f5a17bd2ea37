// The cell being edited: only edit commands work on it; drawing and exports
// take the cell they show.
#pragma once

#include <cstddef>

#include "model/base/records.h"
#include "model/state/globals.h"

// The cell being edited. Throws std::out_of_range when the index is not a cell
// of the project, rather than reading past the array.
inline Tcell& current_cell() { return Cells.at(static_cast<std::size_t>(AppState.current_cell)); }

// The same cell only to read, which leaves it shared with the undo step.
inline const Tcell& read_current_cell() {
  const Tcells& cells = Cells;
  return cells.at(static_cast<std::size_t>(AppState.current_cell));
}
