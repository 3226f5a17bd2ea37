// The large generated project of the benchmarks: cells shaped as diamonds of
// square steps, every wall about ten bays long, with rows of free modules
// inside, laid out as a loaded project is.
#pragma once

#include <cstddef>
#include <vector>

#include "model/layout/compact_groups.h"
#include "model/layout/layout_engine.h"
#include "model/layout/undo_history.h"
#include "model/layout/wall_editing.h"
#include "model/state/globals.h"
#include "support/fresh_project.h"
#include "support/room_outline.h"

inline constexpr double kLargeProjectSide = 11500;  // a wall of ten bays of about 1100 mm

// A diamond of square steps, every wall kLargeProjectSide long: from the bottom
// corner up to the right, up to the left, down to the left and back; 8 * steps walls.
inline std::vector<Tvec2> stepped_diamond(int steps) {
  const Tvec2 turns[4][2] = {{{1, 0}, {0, 1}}, {{-1, 0}, {0, 1}}, {{-1, 0}, {0, -1}}, {{1, 0}, {0, -1}}};
  std::vector<Tvec2> corners;
  Tvec2 at{0, 0};
  for (const auto& quarter : turns) {
    for (int s = 0; s < steps; ++s) {
      for (const Tvec2& d : quarter) {
        corners.push_back(at);
        at = Tvec2{at.x + kLargeProjectSide * d.x, at.y + kLargeProjectSide * d.y};
      }
    }
  }
  return corners;
}

inline Tcell large_project_cell(int steps, int free_modules) {
  Tcell cell;
  cell.walls = walls_through(stepped_diamond(steps));
  for (Tlinea& wall : cell.walls) {
    wall.module_count = 10;
    wall.shelf_count = 5;
    wall.module_height = 2000;
    wall.module_depth = 500;
  }
  for (int k = 0; k < free_modules; ++k) {
    Tmodulo_agg m;
    m.orientation = 'H';
    m.length = 1000;
    m.width = 500;
    m.height = 2000;
    m.x = -10000 + 2500 * (k % 8);
    m.y = 3 * kLargeProjectSide - 10000 + 4000 * (k / 8);
    cell.free_modules.push_back(m);
  }
  cell.outline_closed = true;
  return cell;
}

// Builds the project, lays every cell out once, derives the cells as a
// loaded project is derived and takes the first undo snapshot; the first cell
// is current.
inline void make_large_project(int cells, int steps, int free_modules) {
  LengthList = {700, 800, 900, 1000, 1100, 1200, 1300};
  reset_open_project();
  AppState.max_length_index = 6;
  Cells.assign(static_cast<std::size_t>(cells), large_project_cell(steps, free_modules));
  for (int c = 0; c < cells; ++c) {
    AppState.current_cell = c;
    compute_wall_normals();
    recompute_layout();
  }
  AppState.current_cell = 0;
  rebuild_derived_values();
  push_undo_snapshot();
}
