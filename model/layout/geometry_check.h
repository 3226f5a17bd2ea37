// The validity of a closed room outline, checked after every edit: walls are
// horizontal or vertical and every corner is a straight continuation or a
// turn consistent with the walls' outward normals.
#pragma once

#include "model/base/records.h"

// True when the current cell's outline is valid.
bool check_cell_geometry();
// True when the cell's outline is closed and not valid: a room as only a
// damaged file can bring it, since an edit that makes one is rolled back.
bool has_invalid_outline(const Tcell& cell);
