// The small geometry of a cell's walls that every editing and layout operation
// shares: the neighbours of a wall round the outline, its direction and its
// outward normal.
#pragma once

#include <cstddef>

#include "model/base/plane_vectors.h"
#include "model/base/records.h"

// The wall before wall i round the outline (the last one before the first).
inline int previous_wall_index(const Tcell& cell, int i) {
  return i == 0 ? static_cast<int>(cell.walls.size()) - 1 : i - 1;
}

// The wall after wall i round the outline (the first one after the last).
inline int next_wall_index(const Tcell& cell, int i) {
  return i + 1 >= static_cast<int>(cell.walls.size()) ? 0 : i + 1;
}

// Unit direction from the wall's start to its end; axis components are exact.
inline Tvec2 wall_direction(const Tlinea& wall) {
  return vec_normalize(vec_make(wall.x2 - wall.x1, wall.y2 - wall.y1));
}

inline Tvec2 wall_normal(const Tlinea& wall) { return vec_make(wall.normal_x, wall.normal_y); }

inline Tvec2 wall_start(const Tlinea& wall) { return vec_make(wall.x1, wall.y1); }

inline Tvec2 wall_end(const Tlinea& wall) { return vec_make(wall.x2, wall.y2); }

// A wall whose run takes part in joins: a wall (not an opening) with bays and shelves to place.
inline bool carries_bays(const Tlinea& wall) { return wall.kind == 1 && wall.module_count > 0 && wall.shelf_count > 0; }

inline bool has_start_join(const Tlinea& wall) { return wall.start_join_high || wall.start_join_low; }

inline bool has_end_join(const Tlinea& wall) { return wall.end_join_high || wall.end_join_low; }

// Ends where the wall and its neighbour are collinear pieces of one wall: a
// run joined there goes straight on, with none of the terms of a corner.
inline bool straight_at_start(const Tlinea& wall) { return wall.start_angle == 0.0; }
inline bool straight_at_end(const Tlinea& wall) { return wall.end_angle == 0.0; }
