// The four clearances of a free-standing module: the free distance from its
// faces to the nearest wall, wall bay or other module to the north (+y),
// south, east (+x) and west, which the plan shows as dimension lines.
#pragma once

#include "model/base/records.h"

// Value of a clearance side where nothing was found while measuring.
inline constexpr double kNoClearance = 99999.0;

// Sets the module's plan extents from its orientation and measures its four
// clearances in the current cell, to one decimal (halves to even); a side
// with nothing in front of it gets 0.
void compute_free_module_clearances(Tmodulo_agg& module);
