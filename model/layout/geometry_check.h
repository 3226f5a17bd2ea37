// The validity of a closed room outline, checked after every edit: walls are
// horizontal or vertical and every corner is a straight continuation or a
// turn consistent with the walls' outward normals.
#pragma once

// True when the current cell's outline is valid.
bool check_cell_geometry();
