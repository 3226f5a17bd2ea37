// Where two runs are joined at a corner: the lower run's corner bay has no
// upright of its own there and carries the joint mark, the bill counts a
// corner joint. A join is kept only where the runs meet as joined runs do,
// each on its own wall; elsewhere both runs end in their own end frames.
// Corners are named by the index of the wall that ends there.
#pragma once

#include "model/base/records.h"
#include "model/layout/module_lengths.h"

// The furthest a run stands off its wall line, beyond the cell's clearance,
// to meet a joined neighbour's run.
inline constexpr double kMostOffWall = 100.0;

// Whether a run standing this far off its wall line (beyond the clearance) is
// still on its wall: not through it, and no further off than kMostOffWall.
inline bool stands_on_its_wall(double off_wall) {
  return off_wall >= -kLengthTolerance && off_wall <= kMostOffWall + kLengthTolerance;
}

// Cuts the join at the corner on both sides of it.
void unjoin_corner(Tcell& cell, int corner);

// The first corner whose joint mark stands where the two runs do not meet:
// the other run has no bays there, or its corner bay is not 4 mm away (one
// upright's pitch where the wall goes straight on); -1 when there is none.
int first_corner_apart(const Tcell& cell);
