// Whole rooms laid out by the engine, for the plan view's tests, goldens and
// benchmarks: a room with a door, runs on three walls, a double run of free
// modules, a trolley and a compact group; and a large cell of many bays.
#pragma once

#include <string>
#include <vector>

#include "model/layout/compact_groups.h"
#include "model/layout/layout_engine.h"
#include "model/layout/shelf_patterns.h"
#include "model/layout/wall_editing.h"
#include "model/state/colour_palette.h"
#include "model/state/globals.h"
#include "support/fresh_project.h"
#include "support/room_outline.h"

// The globals a plan drawing reads, on the given background: catalogue
// lengths, a load table and the palette. One empty cell, current.
inline void reset_plan_globals(bool black_background = false) {
  reset_open_project();
  Cells = {Tcell{}};
  AppState.max_length_index = 6;
  AppState.black_background = black_background;
  set_colour_palette();
  LengthList = {700, 800, 900, 1000, 1100, 1200, 1300};
  MaxLoadTable = {{"L", "P", "PH", "LIM"},
                  {"1000", "300", "250", "200"},
                  {"1300", "280", "240", "200"},
                  {"1100", "290", "245", "200"},
                  {"1200", "285", "240", "200"}};
}

// Gives a wall a run of bays of the given depth.
inline void give_run(Tlinea& wall, int bays, double depth = 500, double height = 2000) {
  wall.module_count = bays;
  wall.module_depth = depth;
  wall.module_height = height;
  wall.shelf_count = 5;
}

// A free module with shelves and run-end frames on both ends.
inline Tmodulo_agg shelved_free(double x, double y, double width, double length, char orientation,
                                std::string code = {}) {
  Tmodulo_agg module = make_free(x, y, width, length, orientation, std::move(code));
  module.shelf_pattern = shelf_pattern(5, module.height);
  module.side_flags = {0, 0, 1, 1, 0, 0};
  return module;
}

// Lays out the current cell from its corners and derives it, as an edit
// does; returns it.
inline Tcell& lay_out_room(const std::vector<Tvec2>& corners, const std::vector<int>& bays_per_wall) {
  Tcell& cell = Cells.at(static_cast<std::size_t>(AppState.current_cell));
  cell.walls = walls_through(corners);
  for (std::size_t i = 0; i < cell.walls.size() && i < bays_per_wall.size(); ++i) {
    if (bays_per_wall[i] > 0) give_run(cell.walls[i], bays_per_wall[i]);
    cell.walls[i].show_dimensions = true;
  }
  compute_wall_normals();
  cell.outline_closed = true;
  recompute_layout();
  rebuild_derived_values();
  return Cells.at(static_cast<std::size_t>(AppState.current_cell));
}

// A 7 x 5 m room, anticlockwise from its bottom-left corner: a door in the
// bottom wall, runs on the right, top and left walls; two free modules back
// to back with clearance dimensions, a trolley and a compact group.
inline Tcell& sample_room() {
  Tcell& cell = lay_out_room({{0, 0}, {2500, 0}, {3400, 0}, {7000, 0}, {7000, 5000}, {0, 5000}}, {0, 0, 0, 4, 5, 3});
  cell.walls[1].kind = 0;
  recompute_layout();
  const double cx = (cell.walls[3].x1 + cell.walls[5].x1) / 2;  // the room is re-centred by the layout
  const double cy = (cell.walls[0].y1 + cell.walls[4].y1) / 2;
  Tmodulo_agg front = shelved_free(cx - 600, cy + 250, 500, 1000, 'H');
  front.clear_n = 900;
  front.dim_n = true;
  front.clear_o = 1500;
  front.dim_o = true;
  Tmodulo_agg back = shelved_free(cx - 600, cy - 250, 500, 1000, 'H');
  back.custom_shelves = 1;
  back.clear_s = 700;
  back.dim_s = true;
  cell.free_modules = {front, back, shelved_free(cx + 1500, cy + 200, 600, 1300, 'V', "CARRELLO"),
                       make_free(cx - 1200, cy - 1500, 577, 1000, 'V', "CVFISSO_1"),
                       make_free(cx + 1200, cy - 1500, 577, 1000, 'V', "CVFISSO_1")};
  rebuild_derived_values();
  return cell;
}

// An L-shaped room with runs on every wall but the short inner ones, its
// corners joined by the engine.
inline Tcell& l_shaped_room() {
  return lay_out_room({{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}}, {5, 2, 0, 0, 2, 5});
}
