// Shared set-up of the layout and editing tests: a project of one empty cell,
// a known catalogue, numbered texts ("text 56") and a scripted window; rooms
// built from their corner points; exact one-line summaries of laid-out walls;
// and the invariants every laid-out run keeps.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/layout/cell_walls.h"
#include "model/layout/layout_engine.h"
#include "model/layout/layout_passes.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"
#include "support/room_outline.h"
#include "support/scripted_ui.h"

// Every wall's end points as {x1, y1, x2, y2}, in wall order.
using WallEnds = std::vector<std::array<double, 4>>;

class CellTest : public FreshProjectTest {
 protected:
  void SetUp() override {
    reset_project();
    LengthList = {700, 800, 900, 1000, 1100, 1200, 1300};
    AppState.max_length_index = 6;
    LangTable.clear();
    for (int i = 0; i < 120; ++i) LangTable.push_back("text " + std::to_string(i));
  }
  void TearDown() override {
    LengthList.clear();
    LangTable.clear();
  }
  // A fresh project of one empty cell.
  static void reset_project() {
    reset_open_project();
    Cells = {Tcell{}};
  }

  // The first cell, the current one unless a test changes it.
  Tcell& cell() { return Cells.at(0); }
  Tlinea& wall(int i) { return Cells.at(0).walls.at(static_cast<std::size_t>(i)); }
  std::vector<int> priorities() {
    std::vector<int> values;
    for (const Tlinea& w : cell().walls) values.push_back(w.priority);
    return values;
  }
  WallEnds wall_ends() {
    WallEnds ends;
    for (const Tlinea& w : cell().walls) ends.push_back({w.x1, w.y1, w.x2, w.y2});
    return ends;
  }

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

// An L-shaped room whose re-entrant corner joins walls 2 and 3.
inline void make_l_room() { make_outline({{0, 0}, {6000, 0}, {6000, 3000}, {3000, 3000}, {3000, 6000}, {0, 6000}}); }

// A bottom wall split by an opening: wall 0, opening 1, wall 2, then the
// right, top and left walls.
inline void make_room_with_opening() {
  make_outline({{0, 0}, {2000, 0}, {2800, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  current_cell().walls[1].kind = 0;
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

// A number to its 17th significant digit, whatever the process locale.
inline std::string exact(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17).ptr);
}

// One wall on one line: its joins (start high, start low, end high, end low),
// bounded ends, free space, start and end gaps and chain start; then each bay
// as length@x,y and each frame as type before/after@x,y. Numbers are printed
// to the last digit, so a summary compares exactly.
inline std::string wall_summary(const Tlinea& w) {
  auto flags = [](std::initializer_list<bool> values) {
    std::string text;
    for (bool value : values) text += value ? '1' : '0';
    return text;
  };
  std::string out = "joins " + flags({w.start_join_high, w.start_join_low, w.end_join_high, w.end_join_low}) +
                    " bounded " + flags({w.start_bounded, w.end_bounded}) + " free " + exact(w.free_space) + ' ' +
                    exact(w.start_free) + ' ' + exact(w.end_free) + " chain " + exact(w.chain_start) + " |";
  for (const Tmodulo& m : w.modules) out += ' ' + exact(m.length) + '@' + exact(m.x) + ',' + exact(m.y);
  out += " |";
  for (const Ttestata& f : w.end_frames)
    out += ' ' + f.frame_type + std::to_string(f.module_before) + '/' + std::to_string(f.module_after) + '@' +
           exact(f.x) + ',' + exact(f.y);
  return out;
}

// The summaries of every wall of a cell, one line each.
inline std::string layout_summary(const Tcell& cell) {
  std::string text;
  for (const Tlinea& w : cell.walls) text += wall_summary(w) + "\n";
  return text;
}

// The runs of a cell, one line each: a wall's summary, or "none" for a wall
// without bays (whose other fields say nothing of the layout).
inline std::string runs_summary(const Tcell& cell) {
  std::string text;
  for (const Tlinea& w : cell.walls) text += w.modules.empty() ? "none\n" : wall_summary(w) + "\n";
  return text;
}

// Where a point lies in a wall's frame: {along the wall from its start, off it along its normal}.
inline Tvec2 wall_local(const Tlinea& wall, double x, double y) {
  const Tvec2 d = wall_direction(wall);
  const Tvec2 n = wall_normal(wall);
  return {(x - wall.x1) * d.x + (y - wall.y1) * d.y, (x - wall.x1) * n.x + (y - wall.y1) * n.y};
}

// The invariants of every laid-out run: one bay per module, consecutive bays
// 36 mm apart on one line parallel to the wall, one frame per gap and per
// free run end, each frame 18 mm beyond the edge of the bays it names.
inline void expect_run_invariants(const Tlinea& w, const std::string& name) {
  SCOPED_TRACE(name);
  const int count = static_cast<int>(w.modules.size());
  if (count == 0) {
    EXPECT_TRUE(w.end_frames.empty());
    return;
  }
  EXPECT_EQ(count, w.module_count);
  std::vector<Tvec2> at;
  for (const Tmodulo& m : w.modules) at.push_back(wall_local(w, m.x, m.y));
  auto near = [](double actual, double expected) { EXPECT_NEAR(actual, expected, 1e-6); };
  for (int i = 0; i + 1 < count; ++i) {
    near(at[i + 1].x - at[i].x, w.modules[i].length / 2 + 36 + w.modules[i + 1].length / 2);
    near(at[i + 1].y, at[0].y);
  }
  EXPECT_EQ(static_cast<int>(w.end_frames.size()), count + 1 - w.start_join_high - w.end_join_high);
  for (const Ttestata& f : w.end_frames) {
    const int before = f.module_before, after = f.module_after;
    EXPECT_TRUE(before >= 0 || after >= 0);
    EXPECT_LT(std::max(before, after), count);
    EXPECT_EQ(f.frame_type, before < 0 || after < 0 ? "TE" : "TI");
    const Tvec2 p = wall_local(w, f.x, f.y);
    near(p.y, at[0].y);
    if (before >= 0) near(p.x - at[before].x, w.modules[before].length / 2 + 18);
    if (after >= 0) near(at[after].x - p.x, w.modules[after].length / 2 + 18);
  }
}

inline void expect_cell_invariants(const Tcell& cell) {
  for (std::size_t i = 0; i < cell.walls.size(); ++i) expect_run_invariants(cell.walls[i], "wall " + std::to_string(i));
}
