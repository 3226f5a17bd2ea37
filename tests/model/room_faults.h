// The faults a laid-out room may show, counted rather than asserted, so that a
// run over many rooms can say how many of each it met: runs overlapping each
// other, bays or uprights outside the room, runs off their wall lines, and
// joint-marked corners whose bays stand apart. A digest of the layout tells
// whether a room came out as it did before.
#pragma once

#include <cstdint>
#include <string>

#include "layout_fixture.h"
#include "layout_invariants.h"
#include "model/layout/joined_corners.h"

struct RoomFaults {
  int overlaps = 0;       // pairs of runs whose bays or uprights overlap
  int outside = 0;        // bays or uprights reaching outside the room
  int off_wall = 0;       // runs standing through their wall or more than 100 mm off it
  int corners_apart = 0;  // joint-marked corners whose two bays are not as joined bays stand
  bool any() const { return overlaps + outside + off_wall + corners_apart > 0; }
};

// Every footprint of a run: its bays, then its uprights.
inline std::vector<Box> run_footprints(const Tlinea& w) {
  std::vector<Box> boxes;
  for (const Tmodulo& m : w.modules) boxes.push_back(footprint(m));
  for (const Ttestata& f : w.end_frames) boxes.push_back(footprint(f));
  return boxes;
}

inline bool runs_overlap(const Tlinea& a, const Tlinea& b) {
  for (const Box& p : run_footprints(a))
    for (const Box& q : run_footprints(b))
      if (separation(p, q) < -kTolerance) return true;
  return false;
}

// Outside when a corner lies outside the outline, or a corner of the outline
// lies inside the box (a box across a re-entrant corner).
inline bool box_outside(const Tcell& cell, const Box& b) {
  for (double x : {b.x0, b.x1})
    for (double y : {b.y0, b.y1})
      if (!inside_outline(cell, x, y)) return true;
  for (const Tlinea& w : cell.walls)
    if (w.x1 > b.x0 + kTolerance && w.x1 < b.x1 - kTolerance && w.y1 > b.y0 + kTolerance && w.y1 < b.y1 - kTolerance)
      return true;
  return false;
}

inline bool run_off_wall(const Tcell& cell, const Tlinea& w) {
  for (const Tmodulo& m : w.modules) {
    const double off = off_wall(cell, w, m);
    if (off < -kTolerance || off > kMostOffWall + kTolerance) return true;
  }
  return false;
}

// Whether the corner after wall i is marked as joined while its two corner
// bays do not stand 4 mm apart (one upright apart on one line).
inline bool marked_corner_apart(const Tcell& cell, std::size_t i) {
  const Tlinea& w = cell.walls[i];
  const Tlinea& next = cell.walls[(i + 1) % cell.walls.size()];
  const bool marked = (!w.modules.empty() && w.modules.back().corner_joint_end == 1) ||
                      (!next.modules.empty() && next.modules.front().corner_joint_start == 1);
  if (!marked) return false;
  if (w.modules.empty() || next.modules.empty()) return true;
  const double expected = w.end_angle == 0.0 ? kBayPitchExtra : kUprightGap;
  return std::abs(separation(footprint(w.modules.back()), footprint(next.modules.front())) - expected) > kTolerance;
}

inline RoomFaults room_faults(const Tcell& cell) {
  RoomFaults faults;
  const std::size_t count = cell.walls.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Tlinea& w = cell.walls[i];
    for (std::size_t j = i + 1; j < count; ++j) faults.overlaps += runs_overlap(w, cell.walls[j]);
    for (const Box& b : run_footprints(w)) faults.outside += box_outside(cell, b);
    faults.off_wall += run_off_wall(cell, w);
    faults.corners_apart += marked_corner_apart(cell, i);
  }
  return faults;
}

// FNV-1a of the layout's exact summary: equal digests, equal layouts.
inline std::string layout_digest(const Tcell& cell) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : layout_summary(cell)) hash = (hash ^ c) * 1099511628211ull;
  static const char digits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int k = 15; k >= 0; --k, hash >>= 4) text[static_cast<std::size_t>(k)] = digits[hash & 15];
  return text;
}
