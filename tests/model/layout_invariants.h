// What every layout must keep, whatever the room, checked on the current cell:
// a joint mark only where the two runs meet, an end frame at every other run
// end, one corner joint in the bill per joined corner, and a second layout
// that changes nothing; no overlap, no bay outside the room and no run far
// off its wall.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "layout_fixture.h"
#include "model/base/rounding.h"
#include "model/layout/joined_corners.h"
#include "model/layout/module_lengths.h"
#include "model/quote/bill_of_materials.h"
#include "model/quote/code_lookup.h"
#include "support/plain_number.h"

// A bay's footprint on the plan.
struct Box {
  double x0, y0, x1, y1;
};

inline Box footprint(const Tmodulo& m) {
  const double half_x = (m.orientation == 'H' ? m.length : m.width) / 2;
  const double half_y = (m.orientation == 'H' ? m.width : m.length) / 2;
  return {m.x - half_x, m.y - half_y, m.x + half_x, m.y + half_y};
}

// How far apart two footprints are: negative when they overlap.
inline double separation(const Box& a, const Box& b) {
  return std::max(std::max(a.x0, b.x0) - std::min(a.x1, b.x1), std::max(a.y0, b.y0) - std::min(a.y1, b.y1));
}

inline constexpr double kTolerance = 1e-6;

// Inside or on the outline of the cell's walls (ray casting, edges count as inside).
inline bool inside_outline(const Tcell& cell, double x, double y) {
  bool inside = false;
  for (const Tlinea& w : cell.walls) {
    const double cross = (w.x2 - w.x1) * (y - w.y1) - (w.y2 - w.y1) * (x - w.x1);
    const bool within_x = std::min(w.x1, w.x2) - kTolerance <= x && x <= std::max(w.x1, w.x2) + kTolerance;
    const bool within_y = std::min(w.y1, w.y2) - kTolerance <= y && y <= std::max(w.y1, w.y2) + kTolerance;
    if (std::abs(cross) <= kTolerance * std::max(1.0, w.length) && within_x && within_y) return true;
    if ((w.y1 > y) != (w.y2 > y) && x < w.x1 + (y - w.y1) * (w.x2 - w.x1) / (w.y2 - w.y1)) inside = !inside;
  }
  return inside;
}

// How far a bay's back stands off its wall line beyond the cell's clearance.
inline double off_wall(const Tcell& cell, const Tlinea& w, const Tmodulo& m) {
  return -wall_local(w, m.x, m.y).y - m.width / 2 - cell.clearance;
}

// 1 and 2: a joint mark only where the two corner bays meet (4 mm apart at a
// corner, one upright apart where a wall goes straight on), an end frame at
// every run end without one.
inline void expect_joints_where_runs_meet(const Tcell& cell) {
  const std::size_t count = cell.walls.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Tlinea& w = cell.walls[i];
    const Tlinea& next = cell.walls[(i + 1) % count];
    expect_run_invariants(w, "wall " + std::to_string(i));
    if (!w.modules.empty()) {
      EXPECT_EQ(w.modules.front().corner_joint_start, w.start_join_high ? 1 : 0) << "wall " << i;
      EXPECT_EQ(w.modules.back().corner_joint_end, w.end_join_high ? 1 : 0) << "wall " << i;
    }
    const bool marked = (!w.modules.empty() && w.modules.back().corner_joint_end == 1) ||
                        (!next.modules.empty() && next.modules.front().corner_joint_start == 1);
    if (!marked) continue;
    ASSERT_FALSE(w.modules.empty() || next.modules.empty()) << "corner " << i << " marked with no run beyond it";
    const double expected = w.end_angle == 0.0 ? kBayPitchExtra : kUprightGap;
    EXPECT_NEAR(separation(footprint(w.modules.back()), footprint(next.modules.front())), expected, 1e-6)
        << "corner " << i << " marked, runs apart";
  }
}

// The bill of a table with a corner-joint row for every depth: each joined
// corner once, with a joint per shelf of its marked bay.
inline void expect_one_corner_joint_per_joined_corner(const Tcell& cell) {
  Tdb_codici table;
  std::map<double, int> expected;
  for (const Tlinea& w : cell.walls)
    for (const Tmodulo& m : w.modules) {
      if (!expected.count(m.width)) {
        Tcodice row;
        row.tipo = "G";
        row.lar = size_key(m.width);
        row.options = {"SI"};
        table.push_back(row);
      }
      expected[m.width] += (m.corner_joint_start + m.corner_joint_end) * m.shelf_count;
    }
  CodeIndex index(table);
  std::map<double, int> billed;
  for (const Trec_prv& line : bill_of_cell(index, cell))
    billed[plain_number(table[static_cast<std::size_t>(line.code_row)].lar)] += line.quantity;
  std::erase_if(expected, [](const auto& entry) { return entry.second == 0; });
  EXPECT_EQ(billed, expected) << "corner joints billed";
}

// An end frame's footprint: an upright's width along its run, the run's depth across.
inline Box footprint(const Ttestata& f) {
  const double half_x = (f.orientation == 'H' ? kUprightWidth : f.depth) / 2;
  const double half_y = (f.orientation == 'H' ? f.depth : kUprightWidth) / 2;
  return {f.x - half_x, f.y - half_y, f.x + half_x, f.y + half_y};
}

// 3: no two bays overlap (nor a bay and another run's upright), none lies
// outside the room and none stands more than 100 mm off its wall line.
inline void expect_fitted_runs_in_place(const Tcell& cell) {
  const std::size_t count = cell.walls.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Tlinea& w = cell.walls[i];
    for (const Tmodulo& m : w.modules) {
      const Box b = footprint(m);
      for (double x : {b.x0, b.x1})
        for (double y : {b.y0, b.y1}) EXPECT_TRUE(inside_outline(cell, x, y)) << "wall " << i << " bay outside";
      const double off = off_wall(cell, w, m);
      EXPECT_TRUE(off > -kTolerance && off <= kMostOffWall + kTolerance)
          << "wall " << i << " bay " << off << " mm off its wall";
      for (std::size_t j = 0; j < count; ++j) {
        if (j == i) continue;
        for (const Tmodulo& other : cell.walls[j].modules)
          EXPECT_GT(separation(b, footprint(other)), -kTolerance) << "walls " << i << " and " << j << " overlap";
        for (const Ttestata& frame : cell.walls[j].end_frames)
          EXPECT_GT(separation(b, footprint(frame)), -kTolerance) << "wall " << i << " bay on wall " << j << " upright";
      }
    }
  }
}

// The invariants, reported with the room that broke them; the layout is laid out again.
inline void expect_sound_layout(const std::string& room) {
  SCOPED_TRACE(room);
  const Tcell& laid_out = current_cell();
  expect_joints_where_runs_meet(laid_out);
  expect_one_corner_joint_per_joined_corner(laid_out);
  expect_fitted_runs_in_place(laid_out);
  const std::string first = layout_summary(laid_out);
  recompute_layout();
  EXPECT_EQ(layout_summary(current_cell()), first) << "a second layout moved runs";
}
