// Questions about a cell's outline and the neighbours of its walls.
#pragma once

#include <string>

#include "model/base/records.h"

// The winding of a cell's outline, "ORARIO" (clockwise) or "ANTIORARIO", read
// from its right-most vertical wall; "ANTIORARIO" when it has none yet.
std::string outline_winding(const Tcell& cell);
// True when the cell's walls (at least four) join end to start all round, the
// last ending exactly at the first's start: the outline the outline tool closes.
bool outline_is_closed(const Tcell& cell);
// True when another wall of the cell lies in front of the outer face of wall
// wall_index (within its length, or straddling its start).
bool wall_overlap_test(const Tcell& cell, int wall_index);
// True when the wall before or after wall_index of the current cell (wrapping
// round the outline) is an opening.
bool neighbour_wall_is_opening(int wall_index);
// True when both ends of the current cell's wall are bounded by neighbouring runs.
bool wall_both_ends_bounded(int wall_index);
