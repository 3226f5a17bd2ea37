#include "model/layout/module_lengths.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <utility>

#include "model/base/plane_vectors.h"
#include "model/layout/cell_walls.h"
#include "model/layout/joined_corners.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"

namespace {

// At an inside corner left unjoined because the runs could not meet there
// (no clearance cuts it, and the neighbour's run outranks this one), this run
// ends in its own upright clear of the neighbour's run: past its depth and
// offset, and an upright gap. A neighbour not laid out yet may stand off its
// wall as far as a joined run does; one laid out without bays has no run.
double clear_of_higher_run(const Tlinea& w, bool joined, bool bounded, double gap_here, const Tlinea& neighbour,
                           double gap_there) {
  const bool unjoined = !joined && bounded && gap_here <= 0 && gap_there <= 0;
  const bool has_run = carries_bays(neighbour) && !(neighbour.laid_out && neighbour.modules.empty());
  if (!unjoined || !has_run || neighbour.priority <= w.priority) return 0.0;
  return neighbour.module_depth + (neighbour.laid_out ? neighbour.chain_start : kMostOffWall) + kUprightGap;
}

RunEndRoom run_end_room_of_pass;

double room_of(const std::vector<double>& room, int wall_index) {
  return static_cast<std::size_t>(wall_index) < room.size() ? room[static_cast<std::size_t>(wall_index)] : 0.0;
}

}  // namespace

void set_run_end_room(RunEndRoom room) { run_end_room_of_pass = std::move(room); }

double run_start_room(int wall_index) { return room_of(run_end_room_of_pass.at_start, wall_index); }

double run_end_room(int wall_index) { return room_of(run_end_room_of_pass.at_end, wall_index); }

double unjoined_start_allowance(int wall_index) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, wall_index))];
  return clear_of_higher_run(w, has_start_join(w), w.start_bounded, w.start_gap, p, p.end_gap);
}

double unjoined_end_allowance(int wall_index) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, wall_index))];
  return clear_of_higher_run(w, has_end_join(w), w.end_bounded, w.end_gap, n, n.start_gap);
}

double base_fill_length(int wall_index) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  // In doubles: a damaged project may hold a count near the integer limit.
  const double n = w.module_count;
  return w.length - 2 * cell.clearance - w.start_gap - w.end_gap - (n + 1) * kUprightWidth - n * 2 * kUprightGap -
         unjoined_start_allowance(wall_index) - unjoined_end_allowance(wall_index) - run_start_room(wall_index) -
         run_end_room(wall_index);
}

double wall_fill_length(int wall_index) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, wall_index))];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, wall_index))];
  const double s = cell.clearance;
  double f = base_fill_length(wall_index);
  // The corrections apply in this order; several may hold at once. An open
  // corner's terms let the run reach past it; a straight join has none.
  const bool open_start = !w.start_bounded && !straight_at_start(w);
  const bool open_end = !w.end_bounded && !straight_at_end(w);
  if (w.start_join_high && w.start_bounded) f += kUprightWidth - p.module_depth;
  if (w.end_join_high && w.end_bounded) f += kUprightWidth - n.module_depth;
  if (w.start_join_high && open_start) f += 2 * s + w.start_gap + kUprightWidth;
  if (w.end_join_high && open_end) f += 2 * s + w.end_gap + kUprightWidth;
  if (w.start_join_low && open_start) f += w.start_gap + 2 * s + p.module_depth + kUprightWidth + kUprightGap;
  if (w.end_join_low && open_end) f += w.end_gap + 2 * s + n.module_depth + kUprightWidth + kUprightGap;
  if (w.end_join_high && open_end && n.end_join_high && n.end_bounded) f += kUprightGap + kUprightWidth;
  if (w.start_join_high && open_start && p.start_join_high && p.start_bounded) f += kUprightGap + kUprightWidth;
  if (w.end_join_high && w.end_bounded && n.end_join_high && n.end_bounded) f += -kUprightGap - kUprightWidth;
  if (w.start_join_high && w.start_bounded && p.start_join_high && p.start_bounded) f += -kUprightGap - kUprightWidth;
  return f;
}

namespace {

// The allowance at one corner of a walked run, from its joins there and the
// neighbour across it. Both walks take the neighbour's run offset off, at
// either end: a forward walk closing the loop would otherwise run into the
// first run.
double corner_allowance(bool join_high, bool join_low, bool bounded, bool straight, const Tlinea& neighbour) {
  const double s = current_cell().clearance;
  const bool open = !bounded && !straight;
  if (join_high && bounded) return kUprightWidth - neighbour.module_depth - neighbour.chain_start;
  if (join_high && open) return 2 * s + kUprightWidth + neighbour.chain_start;
  if (join_low && bounded) return kUprightWidth + kUprightGap - neighbour.chain_start;
  if (join_low && open) return 2 * s + neighbour.chain_start + neighbour.module_depth + kUprightWidth + kUprightGap;
  return 0.0;
}

}  // namespace

double walked_start_allowance(int wall_index) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  return corner_allowance(w.start_join_high, w.start_join_low, w.start_bounded, straight_at_start(w),
                          cell.walls[static_cast<std::size_t>(previous_wall_index(cell, wall_index))]);
}

double walked_end_allowance(int wall_index) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  return corner_allowance(w.end_join_high, w.end_join_low, w.end_bounded, straight_at_end(w),
                          cell.walls[static_cast<std::size_t>(next_wall_index(cell, wall_index))]);
}

namespace {

// The catalogue lengths the automatic choice may use: up to the preferred
// largest one, clamped to the list (the preference may come from the other
// unit's catalogue or from a list with the optional sizes).
std::size_t allowed_length_count() {
  if (LengthList.empty()) return 0;
  return static_cast<std::size_t>(std::clamp(AppState.max_length_index, 0, static_cast<int>(LengthList.size()) - 1)) +
         1;
}

// n lengths: the first k of them first_length, the rest other_length.
std::vector<double> trial_lengths(int n, int k, double first_length, double other_length) {
  std::vector<double> trial(static_cast<std::size_t>(n), other_length);
  std::fill_n(trial.begin(), k, first_length);
  return trial;
}

double total(const std::vector<double>& lengths) { return std::accumulate(lengths.begin(), lengths.end(), 0.0); }

// The mix of lo and hi lengths that comes closest to F from below (mix) or
// from above (no mix). The trial with no length of the other kind always
// qualifies by the choice of lo and hi, so it is taken as the start.
std::vector<double> best_mix(int n, double lo, double hi, bool mix, double fill_length) {
  std::vector<double> best = mix ? trial_lengths(n, 0, hi, lo) : trial_lengths(n, 0, lo, hi);
  for (int k = 1; k <= n; ++k) {
    std::vector<double> trial = mix ? trial_lengths(n, k, hi, lo) : trial_lengths(n, k, lo, hi);
    double sum = total(trial);
    if (mix ? sum <= fill_length + kLengthTolerance : sum >= fill_length - kLengthTolerance) best = std::move(trial);
  }
  return best;
}

void apply_forced_lengths(const Tlinea& wall, std::vector<double>& lengths) {
  // A short forced list only overrides the positions it has.
  std::size_t count = std::min(lengths.size(), wall.forced_lengths.size());
  std::copy_n(wall.forced_lengths.begin(), count, lengths.begin());
}

}  // namespace

bool choose_module_lengths(int n, std::vector<double>& lengths, int wall_index, bool mix, double& leftover,
                           double fill_length) {
  n = std::max(n, 0);
  const double average = fill_length / n;
  // n lengths within the tolerance of F fit it.
  const double slack = kLengthTolerance / n;
  double lo = 0.0;
  double hi = 0.0;
  const std::size_t count = allowed_length_count();
  for (std::size_t i = 0; i < count; ++i)
    if (LengthList[i] <= average + slack) lo = LengthList[i];
  for (std::size_t i = count; i-- > 0;)
    if (LengthList[i] >= average - slack) hi = LengthList[i];

  // hi is 0 when the average is above every allowed length: all bays take lo.
  const bool found = lo > 0 && hi >= 0;
  const Tlinea& wall = current_cell().walls[static_cast<std::size_t>(wall_index)];
  if (found) {
    lengths = hi > 0 ? best_mix(n, lo, hi, mix, fill_length) : std::vector<double>(static_cast<std::size_t>(n), lo);
    // Reversed, the shorter lengths of a mix come first; spreading them to
    // both ends keeps the run symmetric.
    reverse_doubles(lengths);
    alternate_ends(lengths);
  } else {
    // The old values stay, grown towards n only as far as the forced lengths
    // reach: zeros past them would not change the leftover, and a count read
    // from a damaged file must not allocate without bound.
    lengths.resize(std::min(static_cast<std::size_t>(n), std::max(lengths.size(), wall.forced_lengths.size())));
  }
  apply_forced_lengths(wall, lengths);
  leftover = fill_length - total(lengths);
  return found;
}
