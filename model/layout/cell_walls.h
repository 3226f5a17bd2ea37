// The current cell and the small geometry of its walls that every editing and
// layout operation shares: the neighbours of a wall round the outline, its
// direction and its outward normal.
#pragma once

#include <cstddef>

#include "model/base/plane_vectors.h"
#include "model/state/globals.h"
#include "model/state/records.h"

// The cell being edited. Throws std::out_of_range when the index is not a cell
// of the project, rather than reading past the array.
inline Tcell& current_cell() { return Cells.at(static_cast<std::size_t>(AppState.current_cell)); }

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

inline bool has_start_join(const Tlinea& wall) { return wall.start_join_high || wall.start_join_low; }

inline bool has_end_join(const Tlinea& wall) { return wall.end_join_high || wall.end_join_low; }

// -1, 0 or +1: the side of the origin a plan coordinate lies on.
inline double sign(double v) { return (v > 0) - (v < 0); }

// Point arithmetic of the plan.
inline Tvec2 operator+(const Tvec2& a, const Tvec2& b) { return vec_make(a.x + b.x, a.y + b.y); }
inline Tvec2 operator-(const Tvec2& a, const Tvec2& b) { return vec_make(a.x - b.x, a.y - b.y); }
inline Tvec2 operator*(double factor, const Tvec2& v) { return vec_make(factor * v.x, factor * v.y); }
