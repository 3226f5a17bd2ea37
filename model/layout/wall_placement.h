// Laying out one wall run of the current cell: choosing its bay lengths and
// placing its bays and end frames (uprights) along the wall. The layout engine
// decides which wall is laid out when, and by which of these operations.
//
// A run's bays stand on the room side of the wall, their centre line at
// o = depth/2 + S + chain_start from the wall line. Frames are "TE" at a run
// end and "TI" between two bays; a run end joined to a higher-priority run has
// no frame of its own (the other run's upright serves).
#pragma once

#include <string_view>
#include <vector>

// Lays out a wall whose run is bounded at both ends.
void place_modules_bounded(int wall_index);
// Lays out a wall with at least one free end.
void place_modules_free(int wall_index);

// Builds the bays and frames of a wall from its start: the first bay begins
// at start_position along the wall, the centre line lies offset from it.
void place_run_frames(int wall_index, double start_position, double offset, const std::vector<double>& lengths);

// Builds the bays and frames of a wall that continues a neighbour's run:
// "AVANTI" from the previous wall's last bay at the start corner, "INDIETRO"
// from the next wall's first bay at the end corner (frames then stored from
// the wall's end towards its start). True when the run meets the neighbour's
// run there on its own wall; false when it would stand off it (or through it)
// to do so, or the neighbour has no bays: the corner is then to be unjoined.
bool place_along_wall(int wall_index, std::string_view direction, const std::vector<double>& lengths);

// Without forced lengths, puts the shorter end length at a joined corner.
void orient_lengths_to_joins(int wall_index, std::vector<double>& lengths);
