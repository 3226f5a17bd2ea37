#include "model/layout/layout_rounds.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <utility>
#include <vector>

#include "model/base/plane_vectors.h"
#include "model/layout/cell_walls.h"
#include "model/layout/corner_propagation.h"
#include "model/layout/joined_corners.h"
#include "model/layout/layout_passes.h"
#include "model/layout/module_lengths.h"
#include "model/layout/run_soundness.h"
#include "model/layout/wall_placement.h"
#include "model/state/current_cell.h"

namespace {

bool contains(const std::vector<int>& values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

// How a cell's layout is mended: runs laid out on their own that stand at
// their joined corner, corners unjoined where runs could not meet, and walls
// whose runs cannot be placed (the cell is then laid out again without them).
struct LayoutRepairs {
  std::vector<int> pulled;
  std::vector<int> unjoined;
  std::vector<int> failed;
  RunEndRoom end_room;          // where runs came back from others or from outside the room
  std::vector<int> pulls_back;  // how often each run came back
};

// How much more room a run leaves at the end that must come back by its
// pull, as the length choice shares its leftover between its ends (pinned: a
// joined other end, or one coming back too, takes no share). The leftover at
// this end is free already. With enough leftover at the other end the run
// moves back keeping its bays: each end keeps its share of the leftover, so
// this end gets the room that moves it by the pull. Else its bays must be
// shorter: by the pull where it cannot move, otherwise first just short of
// the lengths it has (it moves back too); the next round sees how far it is
// still to come. So a run gives up its overlap, not its leftover.
double room_to_come_back(const Tlinea& w, const UnsoundRun& run, bool pinned) {
  const double here = std::max(0.0, run.at_start ? w.start_free : w.end_free);
  const double there = pinned ? 0.0 : std::max(0.0, run.at_start ? w.end_free : w.start_free);
  const double pull = run.pull_back;
  // Enough in any case: the room then ends where the run must.
  const double enough = pull + here;
  if (there <= kLengthTolerance) return enough;
  if (pull <= there + kLengthTolerance) return std::min(enough, pull * (here + there) / there);
  return std::min(enough, std::max(pull, here + there + 2 * kLengthTolerance));
}

// Mends an unsound run at a free end: it comes back along its wall (see
// room_to_come_back). A run that cannot come back far enough, or comes back
// more often than the cell has walls (a run comes back again only when a run
// it meets has moved, and a chain of such moves passes each wall once),
// fails: the cell is laid out again without its bays.
void pull_back(const Tcell& cell, const UnsoundRun& run, bool other_end_too, LayoutRepairs& repairs) {
  const Tlinea& w = cell.walls[static_cast<std::size_t>(run.wall)];
  const std::size_t i = static_cast<std::size_t>(run.wall);
  repairs.pulls_back.resize(cell.walls.size());
  if (!std::isfinite(run.pull_back) || ++repairs.pulls_back[i] > static_cast<int>(cell.walls.size())) {
    if (!contains(repairs.failed, run.wall)) repairs.failed.push_back(run.wall);
    return;
  }
  std::vector<double>& room = run.at_start ? repairs.end_room.at_start : repairs.end_room.at_end;
  room.resize(cell.walls.size());
  const bool pinned = other_end_too || (run.at_start ? has_end_join(w) : has_start_join(w));
  room[i] += room_to_come_back(w, run, pinned);
}

// Unjoins the corners where unsound runs end joined; false when there is none.
bool unjoin_joined_ends(const Tcell& cell, const std::vector<UnsoundRun>& unsound, LayoutRepairs& repairs) {
  const std::size_t before = repairs.unjoined.size();
  for (const UnsoundRun& run : unsound) {
    const Tlinea& w = cell.walls[static_cast<std::size_t>(run.wall)];
    if (run.at_start ? has_start_join(w) : has_end_join(w))
      repairs.unjoined.push_back(run.at_start ? previous_wall_index(cell, run.wall) : run.wall);
  }
  return repairs.unjoined.size() > before;
}

// Pulls every unsound run back at its end (none of them joined there).
void pull_back_free_ends(const Tcell& cell, const std::vector<UnsoundRun>& unsound, LayoutRepairs& repairs) {
  for (const UnsoundRun& run : unsound) {
    const bool both_ends = std::count_if(unsound.begin(), unsound.end(),
                                         [&](const UnsoundRun& other) { return other.wall == run.wall; }) > 1;
    pull_back(cell, run, both_ends, repairs);
  }
}

// Adds the walls that found no lengths in the layout to the failed ones;
// false when there is none.
bool add_walls_without_lengths(const Tcell& cell, LayoutRepairs& repairs) {
  const std::size_t before = repairs.failed.size();
  for (int i = 0; i < static_cast<int>(cell.walls.size()); ++i) {
    const Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
    if (w.laid_out && w.module_count > 0 && w.modules.empty() && !contains(repairs.failed, i))
      repairs.failed.push_back(i);
  }
  return repairs.failed.size() > before;
}

// A run between two bounded corners joined at one of them, to a higher run.
bool lower_at_its_one_join(const Tlinea& w) {
  return w.start_bounded && w.end_bounded && has_start_join(w) != has_end_join(w) &&
         (w.start_join_high || w.end_join_high);
}

// Moves such a run along its wall to its joined corner, its leftover to the other end.
void pull_to_joined_corner(Tlinea& w) {
  const double shift = has_end_join(w) ? w.end_free : -w.start_free;
  const Tvec2 step = shift * wall_direction(w);
  for (Tmodulo& bay : w.modules) {
    bay.x += step.x;
    bay.y += step.y;
  }
  for (Ttestata& frame : w.end_frames) {
    frame.x += step.x;
    frame.y += step.y;
  }
  w.start_free += shift;
  w.end_free -= shift;
}

// Lays out the walls not laid out yet, with the repairs so far. Returns the
// first corner whose runs did not meet: where a walk could not meet its
// neighbour's run, else where a joint mark stands apart (from_wall -1); corner
// -1 for none.
MissedJoin place_unplaced_walls(const LayoutRepairs& repairs) {
  Tcell& cell = current_cell();
  std::vector<MissedJoin> missed;
  std::vector<int> on_their_own;
  // Each placement marks its wall laid out, so the loop ends; a wall neither
  // pick can take (malformed data) ends it too.
  do {
    int w = pick_next_bounded_wall();
    if (w >= 0) {
      place_modules_bounded(w);
      Tlinea& run = cell.walls[static_cast<std::size_t>(w)];
      if (contains(repairs.pulled, w) && lower_at_its_one_join(run)) pull_to_joined_corner(run);
      on_their_own.push_back(w);
    } else {
      w = pick_next_free_wall();
      if (w < 0) break;
      place_modules_free(w);
    }
    propagate_forward(w, missed);
    propagate_backward(w, missed);
  } while (!all_walls_laid_out());
  if (missed.empty()) return {first_corner_apart(cell), -1};
  MissedJoin first = missed.front();
  // Only a lower run laid out on its own, joined at that corner alone, moves to it.
  const bool movable = contains(on_their_own, first.from_wall) &&
                       lower_at_its_one_join(cell.walls[static_cast<std::size_t>(first.from_wall)]);
  if (!movable) first.from_wall = -1;
  return first;
}

// Lays out every wall with the repairs so far (see place_unplaced_walls).
MissedJoin lay_out_walls(const LayoutRepairs& repairs) {
  compute_usable_lengths();
  Tcell& cell = current_cell();
  for (int corner : repairs.unjoined) unjoin_corner(cell, corner);
  return place_unplaced_walls(repairs);
}

// Lays out every wall until every joined run meets its neighbour. False when
// a wall found no lengths: it is added to the failed ones.
bool lay_out_with_joins_mended(LayoutRepairs& repairs) {
  for (;;) {
    const MissedJoin missed = lay_out_walls(repairs);
    if (missed.corner < 0) return !add_walls_without_lengths(current_cell(), repairs);
    if (missed.from_wall >= 0 && !contains(repairs.pulled, missed.from_wall))
      repairs.pulled.push_back(missed.from_wall);
    else
      repairs.unjoined.push_back(missed.corner);
  }
}

// The walls whose runs are to be laid out again, each once.
class TouchedWalls {
 public:
  explicit TouchedWalls(std::size_t count) : marked_(count, false) {}

  const std::vector<int>& walls() const { return walls_; }

  // The runs a repair at wall i may move: the chains of joined runs through
  // i and through its two neighbours. A walk stops at a wall already added:
  // the chain beyond it was added with it.
  void add_around(const Tcell& cell, int i) {
    for (int start : {previous_wall_index(cell, i), i, next_wall_index(cell, i)}) {
      if (!add(start)) continue;
      for (int j = start; has_start_join(cell.walls[static_cast<std::size_t>(j)]);)
        if (!add(j = previous_wall_index(cell, j))) break;
      for (int j = start; has_end_join(cell.walls[static_cast<std::size_t>(j)]);)
        if (!add(j = next_wall_index(cell, j))) break;
    }
  }

 private:
  // False when the wall was added before.
  bool add(int wall) {
    if (marked_[static_cast<std::size_t>(wall)]) return false;
    marked_[static_cast<std::size_t>(wall)] = true;
    walls_.push_back(wall);
    return true;
  }

  std::vector<bool> marked_;
  std::vector<int> walls_;
};

// Lays out the touched walls again, with the corners unjoined since the
// count given, and the runs touched in turn where a walk then misses its
// neighbour (the corner is unjoined). False when a wall found no lengths: it
// is added to the failed ones.
bool lay_out_again(LayoutRepairs& repairs, std::size_t unjoined_since, TouchedWalls& touched) {
  Tcell& cell = current_cell();
  for (;;) {
    for (std::size_t k = unjoined_since; k < repairs.unjoined.size(); ++k) unjoin_corner(cell, repairs.unjoined[k]);
    unjoined_since = repairs.unjoined.size();
    for (int i : touched.walls()) {
      Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
      w.laid_out = false;
      w.chain_start = 0;
      w.modules.clear();
      w.end_frames.clear();
    }
    const MissedJoin missed = place_unplaced_walls(repairs);
    if (missed.corner < 0) return !add_walls_without_lengths(cell, repairs);
    touched.add_around(cell, missed.corner);
    touched.add_around(cell, next_wall_index(cell, missed.corner));
    repairs.unjoined.push_back(missed.corner);
  }
}

// Forced lengths longer than the space for them are the user's choice, laid
// out as they stand: past the wall, into whatever is there. No repair could
// make such a run fit, so none is tried.
bool forced_past_its_wall(int wall_index) {
  const Tlinea& w = current_cell().walls[static_cast<std::size_t>(wall_index)];
  if (w.forced_lengths.empty()) return false;
  std::vector<double> lengths;
  double leftover = 0.0;
  choose_module_lengths(w.module_count, lengths, wall_index, true, leftover, wall_fill_length(wall_index));
  return leftover < -kLengthTolerance;
}

// The unsound runs among the walls given that a repair may mend.
std::vector<UnsoundRun> mendable_runs(const Tcell& cell, const std::vector<int>& walls) {
  std::vector<UnsoundRun> unsound = unsound_runs(cell, walls);
  std::erase_if(unsound, [](const UnsoundRun& run) { return forced_past_its_wall(run.wall); });
  return unsound;
}

// Mends the runs that overlap higher ones or leave the room, all at once, and
// lays out again only the runs the repairs may move, until none is left.
// False when a wall failed: its run cannot be mended, or it found no lengths.
bool mend_unsound_runs(LayoutRepairs& repairs) {
  Tcell& cell = current_cell();
  std::vector<int> changed(cell.walls.size());
  for (std::size_t i = 0; i < changed.size(); ++i) changed[i] = static_cast<int>(i);
  for (;;) {
    const std::vector<UnsoundRun> unsound = mendable_runs(cell, changed);
    if (unsound.empty()) return true;
    const std::size_t unjoined_before = repairs.unjoined.size();
    TouchedWalls touched(cell.walls.size());
    for (const UnsoundRun& run : unsound) touched.add_around(cell, run.wall);
    // A round that unjoins corners makes only those: an unjoined run moves,
    // and so may the runs beside it, so the pulls wait for the next round,
    // measured on the layout without those joins.
    if (!unjoin_joined_ends(cell, unsound, repairs)) pull_back_free_ends(cell, unsound, repairs);
    if (!repairs.failed.empty()) return false;
    set_run_end_room(repairs.end_room);
    if (!lay_out_again(repairs, unjoined_before, touched)) return false;
    changed = touched.walls();
  }
}

// Round the outline, how many walls apart two walls are.
int walls_apart(const Tcell& cell, int a, int b) {
  const int count = static_cast<int>(cell.walls.size());
  const int apart = std::abs(a - b);
  return std::min(apart, count - apart);
}

// How far round the outline a wall that fails changes the layout, as a rule:
// its neighbours lose their joins with it, and the runs those meet move. A
// chain of joined runs may carry the change further; so seldom does that
// let a wall fit that a wall beyond this reach is taken to fail anyway. The
// room is laid out as without its walls without bays, whichever they are.
constexpr int kReachOfAWallWithoutBays = 2;

// Of the walls found failing together, those that fail now, in one layout
// again: the highest ranked (the first on equal ones), and each one beyond
// the reach of every higher-ranked one. One within that reach waits for the
// next layout: a lower run gives way to a higher one, so it may fit once
// that one has gone.
void fail_walls(const Tcell& cell, std::vector<int> failing, std::vector<int>& without_bays) {
  std::stable_sort(failing.begin(), failing.end(), [&](int a, int b) {
    return cell.walls[static_cast<std::size_t>(a)].priority > cell.walls[static_cast<std::size_t>(b)].priority;
  });
  for (auto wall = failing.begin(); wall != failing.end(); ++wall)
    if (std::all_of(failing.begin(), wall,
                    [&](int higher) { return walls_apart(cell, *wall, higher) > kReachOfAWallWithoutBays; }))
      without_bays.push_back(*wall);
}

// The leftover a wall without bays keeps: that of its length choice on the
// layout kept, however many layouts it took to find the walls without bays.
void measure_leftover(int wall_index) {
  Tlinea& w = current_cell().walls[static_cast<std::size_t>(wall_index)];
  std::vector<double> lengths;
  choose_module_lengths(w.module_count, lengths, wall_index, true, w.free_space, wall_fill_length(wall_index));
}

// Lays out the cell as if the walls given had no bays: their counts are 0
// meanwhile, so that nothing of the layout depends on them. After it they
// count as laid out, with none, and join no neighbour. False when other
// walls failed: those that fail now are added to them.
bool lay_out_without(std::vector<int>& without_bays) {
  Tcell& cell = current_cell();
  std::vector<int> counts;
  for (int wall : without_bays)
    counts.push_back(std::exchange(cell.walls[static_cast<std::size_t>(wall)].module_count, 0));
  LayoutRepairs repairs;
  set_run_end_room({});
  const bool sound = lay_out_with_joins_mended(repairs) && mend_unsound_runs(repairs);
  for (std::size_t k = 0; k < without_bays.size(); ++k) {
    const int wall = without_bays[k];
    Tlinea& w = cell.walls[static_cast<std::size_t>(wall)];
    w.module_count = counts[k];
    w.laid_out = true;
    unjoin_corner(cell, previous_wall_index(cell, wall));
    unjoin_corner(cell, wall);
  }
  if (!sound) fail_walls(cell, repairs.failed, without_bays);
  return sound;
}

}  // namespace

void lay_out_soundly() {
  // The run end room is this layout's alone, however it ends.
  struct ClearRunEndRoom {
    ~ClearRunEndRoom() { set_run_end_room({}); }
  } clear_after;
  // Once a wall fails, the cell is laid out again from the start as if it
  // had no bays: no repair made while it counted stays. Of walls found
  // failing together, those near a higher-ranked one wait (see fail_walls).
  // The walls without bays only grow, so this ends.
  std::vector<int> without_bays;
  while (!lay_out_without(without_bays)) {
  }
  for (int wall : without_bays) measure_leftover(wall);
}
