// Whether the laid-out runs of a cell stand soundly: no two runs overlap, no
// bay or upright reaches outside the room, and every run stands on its wall
// (not through it, and no further off than a joined run may). Where one does
// not, the run to blame and how it may be mended.
#pragma once

#include <vector>

#include "model/base/records.h"

// A run that is not sound: the lower-ranked of two overlapping runs, or the
// one outside the room or off its wall.
struct UnsoundRun {
  int wall = -1;           // -1 when every run is sound
  bool at_start = false;   // the end of the run the fault is at
  double pull_back = 0.0;  // how far that end must come back along the wall; infinite when that cannot help
};

// Every unsound run end among the given walls' runs and the runs they meet,
// once each (the furthest pull back where several faults meet there), in wall
// order; empty when those runs are sound.
std::vector<UnsoundRun> unsound_runs(const Tcell& cell, const std::vector<int>& walls);
