// The walk of the layout through joined corners: once a wall is laid out, the
// runs joined to it are laid out one after the other, each starting from the
// bay its neighbour left at the shared corner, until a wall without bays, one
// already laid out, or one not joined at that corner. Both walks wrap round the
// outline.
#pragma once

#include <vector>

// A corner where a walked run could not meet, on its own wall, the run it was
// walked from (or found no bays there to meet).
struct MissedJoin {
  int corner;     // the index of the wall that ends there
  int from_wall;  // the wall whose run the walk came from
};

// Lays out the chain of joined walls after wall_index; adds to missed the
// corners where a walked run could not meet its neighbour's.
void propagate_forward(int wall_index, std::vector<MissedJoin>& missed);
// Lays out the chain of joined walls before wall_index, the same way.
void propagate_backward(int wall_index, std::vector<MissedJoin>& missed);
