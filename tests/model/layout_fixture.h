// Shared set-up of the layout and editing tests: a project of one empty cell,
// a known catalogue, numbered texts ("text 56") and a scripted window; rooms
// built from their corner points; and the invariants every laid-out run keeps.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/cell_walls.h"
#include "model/globals.h"
#include "model/layout_engine.h"
#include "model/scripted_ui.h"
#include "model/wall_editing.h"
#include "support/room_outline.h"

class CellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_project();
    LengthList = {700, 800, 900, 1000, 1100, 1200, 1300};
    AppState.max_length_index = 6;
    LangTable.clear();
    for (int i = 0; i < 120; ++i) LangTable.push_back("text " + std::to_string(i));
  }
  void TearDown() override {
    reset_project();
    LengthList.clear();
    LangTable.clear();
  }
  static void reset_project() {
    Cells = {Tcell{}};
    AppState = Tvar_amb{};
    UndoHistory.clear();
    UndoPosition = -1;
  }

  // The first cell, the current one unless a test changes it.
  Tcell& cell() { return Cells.at(0); }
  Tlinea& wall(int i) { return Cells.at(0).walls.at(static_cast<std::size_t>(i)); }

  ScopedScriptedUi ui;
};

// Makes the current cell's outline from its corners in order (each wall from
// one corner to the next, the last back to the first), closed as the editor
// closes it: with normals, corner angles, lengths and corner flags.
inline void make_outline(const std::vector<Tvec2>& corners) {
  Tcell& cell = current_cell();
  cell.walls = walls_through(corners);
  compute_wall_normals();
  compute_usable_lengths();
  cell.outline_closed = true;
}

// An anticlockwise rectangle from the origin: bottom, right, top, left wall.
inline void make_rectangle(double width, double height) {
  make_outline({{0, 0}, {width, 0}, {width, height}, {0, height}});
}

// Gives a wall a run of bays.
inline void set_run(Tlinea& wall, int modules, int priority, double depth = 500, double height = 2000,
                    int shelves = 5) {
  wall.module_count = modules;
  wall.priority = priority;
  wall.module_depth = depth;
  wall.module_height = height;
  wall.shelf_count = shelves;
}

inline double along(const Tlinea& wall, double x, double y) {
  const Tvec2 d = wall_direction(wall);
  return (x - wall.x1) * d.x + (y - wall.y1) * d.y;
}

inline double across(const Tlinea& wall, double x, double y) {
  const Tvec2 n = wall_normal(wall);
  return (x - wall.x1) * n.x + (y - wall.y1) * n.y;
}

// The invariants of every laid-out run: one bay per module, consecutive bays
// 36 mm apart on one line parallel to the wall, one frame per gap and per
// free run end, each frame 18 mm beyond the edge of the bays it names.
inline void expect_run_invariants(const Tlinea& w, const std::string& name) {
  SCOPED_TRACE(name);
  if (w.modules.empty()) {
    EXPECT_TRUE(w.end_frames.empty());
    return;
  }
  const int count = static_cast<int>(w.modules.size());
  EXPECT_EQ(count, w.module_count);
  for (int i = 0; i + 1 < count; ++i) {
    const Tmodulo& a = w.modules[static_cast<std::size_t>(i)];
    const Tmodulo& b = w.modules[static_cast<std::size_t>(i + 1)];
    EXPECT_NEAR(along(w, b.x, b.y) - along(w, a.x, a.y), a.length / 2 + 36 + b.length / 2, 1e-6);
    EXPECT_NEAR(across(w, b.x, b.y), across(w, a.x, a.y), 1e-6);
  }
  const int expected_frames = count + 1 - (w.start_join_high ? 1 : 0) - (w.end_join_high ? 1 : 0);
  EXPECT_EQ(static_cast<int>(w.end_frames.size()), expected_frames);
  const double line = across(w, w.modules[0].x, w.modules[0].y);
  for (const Ttestata& f : w.end_frames) {
    EXPECT_TRUE(f.module_before >= 0 || f.module_after >= 0);
    EXPECT_LT(f.module_before, count);
    EXPECT_LT(f.module_after, count);
    EXPECT_EQ(f.frame_type, f.module_before < 0 || f.module_after < 0 ? "TE" : "TI");
    EXPECT_NEAR(across(w, f.x, f.y), line, 1e-6);
    if (f.module_before >= 0) {
      const Tmodulo& m = w.modules[static_cast<std::size_t>(f.module_before)];
      EXPECT_NEAR(along(w, f.x, f.y) - along(w, m.x, m.y), m.length / 2 + 18, 1e-6);
    }
    if (f.module_after >= 0) {
      const Tmodulo& m = w.modules[static_cast<std::size_t>(f.module_after)];
      EXPECT_NEAR(along(w, m.x, m.y) - along(w, f.x, f.y), m.length / 2 + 18, 1e-6);
    }
  }
}

inline void expect_cell_invariants(const Tcell& cell) {
  for (std::size_t i = 0; i < cell.walls.size(); ++i) expect_run_invariants(cell.walls[i], "wall " + std::to_string(i));
}
