// What stands around the two fixed ends of a compact group: the six position
// characters of its code and its four gaps to the cell's walls.
#pragma once

#include <array>
#include <string>

#include "model/base/records.h"

// A fixed end module, whether a free module or a wall bay.
struct CompactEnd {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;   // along the group's axis
  double length = 0.0;  // across it, the depth of the rails
  char orientation = 'H';
};

CompactEnd compact_end(const Tmodulo& bay);
CompactEnd compact_end(const Tmodulo_agg& module);

// Six characters, one per side of the two ends: "0" nothing beside that side,
// "1" an ordinary free module, "2" another group's fixed end. a is the end
// with the smaller coordinate.
std::string compact_position_characters(const Tcell& cell, const CompactEnd& a, const CompactEnd& b);

// Gaps 1 and 2 beside the rails, 3 and 4 beyond the ends; -1 where no wall is
// near enough to matter.
std::array<double, 4> compact_wall_gaps(const Tcell& cell, const CompactEnd& a, const CompactEnd& b);
