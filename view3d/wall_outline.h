// The outlines of a room's walls for the wall solid, in plan millimetres: the
// outer outline (the walls moved outwards by the wall thickness, meeting at
// the outer corners), the room outline, and one rectangle across the wall
// band for every opening, each listed so that the band is inside.
#pragma once

#include <vector>

#include "model/base/records.h"

struct PlanPoint {
  double x = 0, y = 0;
  bool operator==(const PlanPoint&) const = default;
};
using PlanContour = std::vector<PlanPoint>;

// A cell is built only when it has walls and the last wall ends exactly where the first begins.
bool outline_closes(const Tcell& cell);
// Outer outline, room outline, then the openings' rectangles, in wall order.
std::vector<PlanContour> wall_contours(const Tcell& cell);
