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
  double f = base_fill_length(j);
  f += walked_start_allowance(j);
  f += walked_end_allowance(j);
  return f;
}

// Mix flag of a propagated wall: fill from below unless the far end is open.
bool propagated_mix(const Tlinea& w, Walk walk) {
  if (walk == Walk::forward) return w.end_bounded || (!w.end_join_low && !w.end_join_high) || w.end_angle == 0.0;
  return w.start_bounded || (!w.start_join_low && !w.start_join_high) || w.start_angle == 0.0;
}

bool joined_at_entry(const Tlinea& w, Walk walk) { return walk == Walk::forward ? has_start_join(w) : has_end_join(w); }

void propagate(int wall_index, Walk walk, std::vector<MissedJoin>& missed) {
  Tcell& cell = current_cell();
  auto step = [&](int i) { return walk == Walk::forward ? next_wall_index(cell, i) : previous_wall_index(cell, i); };
  for (int from = wall_index, j = step(wall_index);; from = j, j = step(j)) {
    Tlinea& w = cell.walls[static_cast<std::size_t>(j)];
    if (w.module_count <= 0 || w.laid_out || !joined_at_entry(w, walk)) return;
    std::vector<double> lengths;
    // Without lengths the wall keeps no bays; the layout reports it once it is done.
    if (choose_module_lengths(w.module_count, lengths, j, propagated_mix(w, walk), w.free_space,
                              propagated_fill_length(j))) {
      orient_lengths_to_joins(j, lengths);
      // Walked from its joined corner, the run has its leftover at its far
      // end (measured again once the layout is done).
      w.start_free = walk == Walk::forward ? 0.0 : w.free_space;
      w.end_free = walk == Walk::forward ? w.free_space : 0.0;
      if (!place_along_wall(j, walk == Walk::forward ? "AVANTI" : "INDIETRO", lengths))
        missed.push_back({walk == Walk::forward ? from : j, from});
    }
    w.laid_out = true;
  }
}

}  // namespace

void propagate_forward(int wall_index, std::vector<MissedJoin>& missed) {
  propagate(wall_index, Walk::forward, missed);
}

void propagate_backward(int wall_index, std::vector<MissedJoin>& missed) {
  propagate(wall_index, Walk::backward, missed);
}
