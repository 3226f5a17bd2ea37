// The faces of a cell's walls moved off the wall lines: the outer faces the
// plan, the printed plans and the drawing exports draw at the wall thickness,
// and the inner lines of the clearance.
#pragma once

#include <vector>

#include "model/base/records.h"

struct WallFace {
  Tvec2 start, end;
};

// One face of every wall, moved offset mm along the wall's outward normal
// (negative: into the room), with the corners closed so that the axis-parallel
// faces of neighbouring walls meet.
std::vector<WallFace> closed_wall_faces(const Tcell& cell, double offset);
