// Automatic filling of the selected walls of the current cell with bays of
// one standard length, behind the main window's fill buttons.
#pragma once

// Sets the module count of every selected wall (kind 1) to its fill length
// divided by module_length, rounded half to even; a wall without sizes gets 4
// shelves, height 1700 and depth 475. Reorders the fill priorities so that
// bounded and longest walls own their corners, lays the cell out again and
// takes an undo snapshot.
void auto_fill_walls(double module_length);

// The module length of the main fill button: 1100 in the GST market
// (model/base/gst_market.h), 1700 elsewhere.
double standard_fill_length();
