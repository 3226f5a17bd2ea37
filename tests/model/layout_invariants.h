// What every layout must keep, whatever the room, checked on the current cell:
// a joint mark only where the two runs meet, an end frame at every other run
// end, one corner joint in the bill per joined corner, and a second layout
// that changes nothing; where every wall's bays fit, moreover, no overlap, no
// bay outside the room and no run far off its wall.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "layout_fixture.h"
#include "model/base/rounding.h"
#include "model/layout/module_lengths.h"
#include "model/quote/bill_of_materials.h"
#include "model/quote/code_lookup.h"

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

// Whether a clearance at the corner after wall i keeps one run clear of the
// other's (each may stand up to 100 mm off its wall): otherwise the user let
// the two runs cross there.
inline bool clearance_keeps_runs_apart(const Tcell& cell, int i) {
  const Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, i))];
  if (w.end_gap <= 0 && n.start_gap <= 0) return true;
  return w.end_gap + kUprightWidth + kUprightGap >= n.module_depth + 100 ||
         n.start_gap + kUprightWidth + kUprightGap >= w.module_depth + 100;
}

// Whether two walls face each other across the room closer than their runs'
// depths, the clearances and 100 mm off each wall need.
inline bool facing_too_close(const Tcell& cell, const Tlinea& a, const Tlinea& b) {
  const Tvec2 da = wall_direction(a), db = wall_direction(b);
  if (!vec_equal(da, -1.0 * db)) return false;
  const double distance = -vec_dot(wall_start(b) - wall_start(a), wall_normal(a));
  const double b0 = vec_dot(wall_start(b) - wall_start(a), da), b1 = vec_dot(wall_end(b) - wall_start(a), da);
  const bool spans_meet = std::max(b0, b1) > 0 && std::min(b0, b1) < a.length;
  return spans_meet && distance > 0 &&
         distance < 2 * cell.clearance + a.module_depth + b.module_depth + 2 * 100 + 2 * kTolerance;
}

// Whether every wall's bays fit between its neighbours' runs: each run with
// both end frames, less the depth of a neighbour's run at an inside corner,
// leaves its bays at least the shortest allowed length; clearances at corners
// keep the runs apart; and facing runs have room across.
inline bool every_run_fits(const Tcell& cell) {
  const int count = static_cast<int>(cell.walls.size());
  for (int i = 0; i < count; ++i) {
    const Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
    if (!carries_bays(w)) continue;
    const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, i))];
    const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, i))];
    const double bays = w.module_count;
    double room =
        w.length - 2 * cell.clearance - w.start_gap - w.end_gap - (bays + 1) * kUprightWidth - bays * 2 * kUprightGap;
    if (w.start_bounded && carries_bays(p)) room -= p.module_depth;
    if (w.end_bounded && carries_bays(n)) room -= n.module_depth;
    if (room < w.module_count * LengthList.front()) return false;
    if (w.end_bounded && carries_bays(n) && !clearance_keeps_runs_apart(cell, i)) return false;
    for (const Tlinea& other : cell.walls)
      if (carries_bays(other) && facing_too_close(cell, w, other)) return false;
  }
  return true;
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
    billed[std::stod(table[static_cast<std::size_t>(line.code_row)].lar)] += line.quantity;
  std::erase_if(expected, [](const auto& entry) { return entry.second == 0; });
  EXPECT_EQ(billed, expected) << "corner joints billed";
}

// An end frame's footprint: an upright's width along its run, the run's depth across.
inline Box footprint(const Ttestata& f) {
  const double half_x = (f.orientation == 'H' ? kUprightWidth : f.depth) / 2;
  const double half_y = (f.orientation == 'H' ? f.depth : kUprightWidth) / 2;
  return {f.x - half_x, f.y - half_y, f.x + half_x, f.y + half_y};
}

// 3: where every wall's bays fit, no two bays overlap (nor a bay and another
// run's upright), none lies outside the room and none stands more than 100 mm
// off its wall line.
inline void expect_fitted_runs_in_place(const Tcell& cell) {
  const std::size_t count = cell.walls.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Tlinea& w = cell.walls[i];
    for (const Tmodulo& m : w.modules) {
      const Box b = footprint(m);
      for (double x : {b.x0, b.x1})
        for (double y : {b.y0, b.y1}) EXPECT_TRUE(inside_outline(cell, x, y)) << "wall " << i << " bay outside";
      const double off = off_wall(cell, w, m);
      EXPECT_TRUE(off > -1e-6 && off <= 100) << "wall " << i << " bay " << off << " mm off its wall";
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
  if (every_run_fits(laid_out)) expect_fitted_runs_in_place(laid_out);
  const std::string first = layout_summary(laid_out);
  recompute_layout();
  EXPECT_EQ(layout_summary(current_cell()), first) << "a second layout moved runs";
}
