#include "model/layout/run_soundness.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "model/layout/cell_walls.h"
#include "model/layout/joined_corners.h"
#include "model/layout/module_lengths.h"
#include "model/layout/outline_index.h"

namespace {

// Below this, footprints that touch are not taken to overlap.
constexpr double kTolerance = 1e-6;
constexpr double kCannotHelp = std::numeric_limits<double>::infinity();

PlanBox centred_box(double x, double y, double half_x, double half_y) {
  return {x - half_x, y - half_y, x + half_x, y + half_y};
}

PlanBox bay_box(const Tmodulo& m) {
  return m.orientation == 'H' ? centred_box(m.x, m.y, m.length / 2, m.width / 2)
                              : centred_box(m.x, m.y, m.width / 2, m.length / 2);
}

PlanBox frame_box(const Ttestata& f) {
  return f.orientation == 'H' ? centred_box(f.x, f.y, kUprightWidth / 2, f.depth / 2)
                              : centred_box(f.x, f.y, f.depth / 2, kUprightWidth / 2);
}

bool overlap(const PlanBox& a, const PlanBox& b) {
  return std::min(a.x1, b.x1) - std::max(a.x0, b.x0) > kTolerance &&
         std::min(a.y1, b.y1) - std::max(a.y0, b.y0) > kTolerance;
}

PlanBox with_points(const PlanBox& b, const Tvec2& p, const Tvec2& q) {
  return {std::min({b.x0, p.x, q.x}), std::min({b.y0, p.y, q.y}), std::max({b.x1, p.x, q.x}),
          std::max({b.y1, p.y, q.y})};
}

PlanBox shifted(const PlanBox& b, const Tvec2& by) { return {b.x0 + by.x, b.y0 + by.y, b.x1 + by.x, b.y1 + by.y}; }

// A run's footprints: its bays, then its uprights; and the box round them all.
struct Run {
  std::vector<PlanBox> boxes;
  PlanBox bounds{0, 0, 0, 0};
};

Run run_of(const Tlinea& w) {
  Run run;
  for (const Tmodulo& m : w.modules) run.boxes.push_back(bay_box(m));
  for (const Ttestata& f : w.end_frames) run.boxes.push_back(frame_box(f));
  if (run.boxes.empty()) return run;
  run.bounds = run.boxes.front();
  for (const PlanBox& b : run.boxes)
    run.bounds = {std::min(run.bounds.x0, b.x0), std::min(run.bounds.y0, b.y0), std::max(run.bounds.x1, b.x1),
                  std::max(run.bounds.y1, b.y1)};
  return run;
}

// A box's extent along the wall, from the wall's start.
struct Span {
  double from, to;
};

Span along(const Tlinea& w, const PlanBox& b) {
  const Tvec2 d = wall_direction(w);
  const double a = vec_dot(vec_make(b.x0, b.y0) - wall_start(w), d);
  const double c = vec_dot(vec_make(b.x1, b.y1) - wall_start(w), d);
  return {std::min(a, c), std::max(a, c)};
}

bool nearer_start(const Span& run, const Span& box) { return box.from + box.to < run.from + run.to; }

// Inside when no wall passes through it and its centre is inside; walls holds
// every wall that passes through a box round the run the box belongs to.
bool box_inside(const OutlineIndex& room, const std::vector<const Tlinea*>& walls, const PlanBox& b) {
  if (std::any_of(walls.begin(), walls.end(), [&](const Tlinea* w) { return wall_crosses_box(*w, b); })) return false;
  return room.contains((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2);
}

// How far back along its wall the run's box must come to lie inside the room
// (to the millimetre), or kCannotHelp. Coming back, the box stays within the
// box round its run.
double pull_back_inside(const OutlineIndex& room, const std::vector<const Tlinea*>& walls, const Tlinea& w,
                        const Span& run, const PlanBox& box) {
  const bool at_start = nearer_start(run, along(w, box));
  const Tvec2 back = (at_start ? 1.0 : -1.0) * wall_direction(w);
  const double most = run.to - run.from;
  if (!box_inside(room, walls, shifted(box, most * back))) return kCannotHelp;
  double lo = 0.0, hi = most;
  while (hi - lo > 1.0) {
    const double mid = (lo + hi) / 2;
    (box_inside(room, walls, shifted(box, mid * back)) ? hi : lo) = mid;
  }
  return hi;
}

bool off_its_wall(const Tcell& cell, const Tlinea& w) {
  if (w.modules.empty()) return false;
  const Tmodulo& m = w.modules.front();
  const double off = -vec_dot(vec_make(m.x, m.y) - wall_start(w), wall_normal(w)) - m.width / 2 - cell.clearance;
  return !stands_on_its_wall(off);
}

// A run off its wall, or reaching outside the room (not tested where the
// outline is damaged and there is no room to test against).
UnsoundRun unsound_alone(const Tcell& cell, const std::optional<OutlineIndex>& room, int i, const Run& run) {
  const Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
  if (off_its_wall(cell, w)) return {i, false, kCannotHelp};
  if (!room) return {};
  // The box from the wall line out to the front of the run: where no wall
  // passes through it and it lies beside its wall, it is inside the room, and
  // so is every footprint of the run.
  const Span extent = along(w, run.bounds);
  const PlanBox hull = with_points(run.bounds, wall_start(w) + extent.from * wall_direction(w),
                                   wall_start(w) + extent.to * wall_direction(w));
  std::vector<const Tlinea*> through;
  room->walls_through(hull, through);
  if (through.empty() && extent.from < w.length - kTolerance && extent.to > kTolerance) return {};
  for (const PlanBox& b : run.boxes)
    if (!box_inside(*room, through, b))
      return {i, nearer_start(extent, along(w, b)), pull_back_inside(*room, through, w, extent, b)};
  return {};
}

// The lower-ranked of two overlapping runs (the later one on equal ranks) comes
// back from the other's footprints by an upright gap.
UnsoundRun unsound_pair(const Tcell& cell, int i, const Run& a, int j, const Run& b) {
  if (!overlap(a.bounds, b.bounds)) return {};
  const int pi = cell.walls[static_cast<std::size_t>(i)].priority;
  const int pj = cell.walls[static_cast<std::size_t>(j)].priority;
  const bool blame_i = pi < pj || (pi == pj && i > j);
  const int wall = blame_i ? i : j;
  const Run& mine = blame_i ? a : b;
  const Run& theirs = blame_i ? b : a;
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall)];
  const Span extent = along(w, mine.bounds);
  UnsoundRun worst;
  for (const PlanBox& other : theirs.boxes) {
    if (std::none_of(mine.boxes.begin(), mine.boxes.end(), [&](const PlanBox& m) { return overlap(m, other); }))
      continue;
    const Span span = along(w, other);
    const bool at_start = nearer_start(extent, span);
    const double pull = at_start ? span.to + kUprightGap - extent.from : extent.to - (span.from - kUprightGap);
    if (worst.wall < 0 || pull > worst.pull_back) worst = {wall, at_start, pull};
  }
  return worst;
}

// Keeps one fault per run end: the one that needs the run to come back furthest.
void keep_worst(std::vector<UnsoundRun>& found, const UnsoundRun& fault) {
  if (fault.wall < 0) return;
  for (UnsoundRun& kept : found)
    if (kept.wall == fault.wall && kept.at_start == fault.at_start) {
      kept.pull_back = std::max(kept.pull_back, fault.pull_back);
      return;
    }
  found.push_back(fault);
}

bool finite_outline(const Tcell& cell) {
  return std::all_of(cell.walls.begin(), cell.walls.end(), [](const Tlinea& w) {
    return std::isfinite(w.x1) && std::isfinite(w.y1) && std::isfinite(w.x2) && std::isfinite(w.y2);
  });
}

}  // namespace

std::vector<UnsoundRun> unsound_runs(const Tcell& cell, const std::vector<int>& walls) {
  // A damaged outline (a corner that is not a number) has no inside.
  std::optional<OutlineIndex> room;
  if (finite_outline(cell)) room.emplace(cell);
  std::vector<Run> runs;
  runs.reserve(cell.walls.size());
  double bottom = 0.0, top = 0.0;
  for (const Tlinea& w : cell.walls) {
    runs.push_back(run_of(w));
    if (runs.back().boxes.empty()) continue;
    bottom = std::min(bottom, runs.back().bounds.y0);
    top = std::max(top, runs.back().bounds.y1);
  }
  // Runs that may overlap are found among those near in y; a run with a
  // position that is not a number is near none and overlaps none.
  YBands near(bottom, top, runs.size() / 2);
  for (std::size_t j = 0; j < runs.size(); ++j)
    if (!runs[j].boxes.empty()) near.add(static_cast<int>(j), runs[j].bounds.y0, runs[j].bounds.y1);
  std::vector<UnsoundRun> found;
  for (int i : walls) {
    const Run& run = runs[static_cast<std::size_t>(i)];
    if (run.boxes.empty()) continue;
    keep_worst(found, unsound_alone(cell, room, i, run));
    near.for_each_near(run.bounds.y0, run.bounds.y1, [&](int j) {
      if (j != i) keep_worst(found, unsound_pair(cell, i, run, j, runs[static_cast<std::size_t>(j)]));
    });
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const UnsoundRun& a, const UnsoundRun& b) { return a.wall < b.wall; });
  return found;
}
