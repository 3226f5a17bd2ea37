// The bounding box of a cell's outline: the extremes of its wall end points,
// in the order largest x, smallest x, largest y, smallest y (mm). The plan
// view, the printed cell plans and both drawing exports read it; a cell
// without walls gives (0, 0, 0, 0).
#pragma once

#include <array>

#include "model/base/records.h"

using Textents = std::array<double, 4>;  // max x, min x, max y, min y

Textents compute_cell_extents(const Tcell& cell);
