// Drawing and changing the outline of the current cell: appending a wall of a
// typed length while the outline is drawn, closing the outline, giving the
// walls their outward normals and corner angles, moving a selected wall by a
// typed distance and removing an opening. Callers recompute the layout where
// the bays depend on the change.
#pragma once

#include "model/base/records.h"

// While the outline is drawn: asks a length and appends a wall in the
// direction of the dragged segment; closes the outline when the wall ends at
// its start. The length offered, the one that closes the outline, is written
// with decimal_separator, the user's.
void add_wall_by_length(char decimal_separator);

// Closes the outline being drawn (even number of walls, at least four),
// asking whether to join a loose end to the start; No discards the walls.
void close_room_outline();

// Outward normals and corner angles of every wall, walking round the outline
// from the right-most vertical wall, whose normal points to +x.
void compute_wall_normals();

// Moves the last selected wall by a typed distance along direction (a unit
// vector along x or y): sideways, the collinear pieces beside it move along
// and the first perpendicular wall on each side stretches; along itself, its
// two neighbours stretch.
void move_selection_by_value(const Tvec2& direction);

// Removes the selected opening after confirmation, joins the pieces of wall
// before and after it into one and lays the cell out again.
void remove_door();
