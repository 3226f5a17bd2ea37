#include "model/layout/corner_propagation.h"

#include <cstddef>
#include <vector>

#include "model/layout/cell_walls.h"
#include "model/layout/module_lengths.h"
#include "model/layout/wall_placement.h"
#include "model/state/current_cell.h"

namespace {

enum class Walk { forward, backward };

// F of a wall entered from a laid-out neighbour: the corner terms take the
// neighbours' run offsets (chain_start) into account.
double propagated_fill_length(int j) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(j)];
  const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, j))];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, j))];
  const double s = cell.clearance;
  double f = base_fill_length(j);
  // An open corner's terms let the run reach past it; a straight join has none.
  const bool open_start = !w.start_bounded && !straight_at_start(w);
  const bool open_end = !w.end_bounded && !straight_at_end(w);
  if (w.start_join_high && w.start_bounded) f += UprightWidth - p.module_depth - p.chain_start;
  if (w.start_join_high && open_start) f += 2 * s + UprightWidth + p.chain_start;
  if (w.start_join_low && w.start_bounded) f += UprightWidth + UprightGap - p.chain_start;
  if (w.start_join_low && open_start) f += 2 * s + p.chain_start + p.module_depth + UprightWidth + UprightGap;
  // Both walks take the neighbour's run offset off here, as at the start: a
  // forward walk closing the loop would otherwise run into the first run.
  if (w.end_join_high && w.end_bounded) f += UprightWidth - n.module_depth - n.chain_start;
  if (w.end_join_high && open_end) f += 2 * s + UprightWidth + n.chain_start;
  if (w.end_join_low && w.end_bounded) f += UprightWidth + UprightGap - n.chain_start;
  if (w.end_join_low && open_end) f += 2 * s + n.chain_start + n.module_depth + UprightWidth + UprightGap;
  return f;
}

// Mix flag of a propagated wall: fill from below unless the far end is open.
bool propagated_mix(const Tlinea& w, Walk walk) {
  if (walk == Walk::forward) return w.end_bounded || (!w.end_join_low && !w.end_join_high) || w.end_angle == 0.0;
  return w.start_bounded || (!w.start_join_low && !w.start_join_high) || w.start_angle == 0.0;
}

bool joined_at_entry(const Tlinea& w, Walk walk) { return walk == Walk::forward ? has_start_join(w) : has_end_join(w); }

void propagate(int wall_index, Walk walk) {
  Tcell& cell = current_cell();
  auto step = [&](int i) { return walk == Walk::forward ? next_wall_index(cell, i) : previous_wall_index(cell, i); };
  for (int j = step(wall_index);; j = step(j)) {
    Tlinea& w = cell.walls[static_cast<std::size_t>(j)];
    if (w.module_count <= 0 || w.laid_out || !joined_at_entry(w, walk)) return;
    std::vector<double> lengths;
    if (choose_module_lengths(w.module_count, lengths, j, propagated_mix(w, walk), w.free_space,
                              propagated_fill_length(j))) {
      orient_lengths_to_joins(j, lengths);
      place_along_wall(j, walk == Walk::forward ? "AVANTI" : "INDIETRO", lengths);
    } else {
      report_no_length_fits();
    }
    w.laid_out = true;
  }
}

}  // namespace

void propagate_forward(int wall_index) { propagate(wall_index, Walk::forward); }

void propagate_backward(int wall_index) { propagate(wall_index, Walk::backward); }
