// The arithmetic of one wall run: the length left for the bay bodies and the
// choice of catalogue bay lengths that fills it.
//
// Run geometry along a wall: the cell clearance S and the wall's own start or
// end clearance at each end, then an upright of 28 mm with a 4 mm gap to the
// bay on each side, so a run of n bays with both end uprights is
// sum(lengths) + 8n + 28(n + 1) long.
#pragma once

#include <vector>

inline constexpr double kUprightWidth = 28.0;
inline constexpr double kUprightGap = 4.0;
// Centre to centre of two bays' facing edges: gap, upright, gap.
inline constexpr double kBayPitchExtra = kUprightGap + kUprightWidth + kUprightGap;

// From a bay's edge to the centre of the upright beside it.
inline constexpr double kUprightCentreOffset = kUprightGap + kUprightWidth / 2;

// Lengths that differ by less than this are equal where a fit is decided: the
// sums of inch lengths (914.4) and of the corner terms carry rounding, and an
// exact fit must not come out a hair too long.
inline constexpr double kLengthTolerance = 1e-6;

// What a run gives up at its start or end corner where it was not joined to
// the higher run beside it because the two could not meet there: that run's
// depth, offset and an upright gap, so that the two stay clear of each other.
// Nothing where the corner is joined, open, cut by a clearance, or the
// neighbour ranks lower.
double unjoined_start_allowance(int wall_index);
double unjoined_end_allowance(int wall_index);

// Room a run leaves free at its start and end beyond its clearances, where the
// layout found that it would otherwise overlap another run or leave the room:
// set by the layout for the passes of one recompute (indexed by wall), empty
// (no room) otherwise.
struct RunEndRoom {
  std::vector<double> at_start;
  std::vector<double> at_end;
};
void set_run_end_room(RunEndRoom room);
double run_start_room(int wall_index);
double run_end_room(int wall_index);

// F of a wall of the current cell before its corner corrections: its length
// less both clearances of each end, every upright and gap, the room kept
// clear of higher runs at unjoined corners and the run's end room.
double base_fill_length(int wall_index);

// F, the length available for the bay bodies of a wall of the current cell,
// with the corrections for the corners it shares with joined runs.
double wall_fill_length(int wall_index);

// What the fill length of a run walked into from a laid-out neighbour gains at
// its start or end corner beyond base_fill_length: the neighbour's depth and
// run offset at a bounded corner, the reach past an open one; nothing at a
// straight join or an unjoined end.
double walked_start_allowance(int wall_index);
double walked_end_allowance(int wall_index);

// Chooses n bay lengths from the catalogue (up to the preferred largest length)
// that fill F: with mix true the largest total not above F, with mix false the
// smallest total not below F, shorter lengths spread to the run's ends. Forced
// lengths of the wall replace the choice position by position. leftover gets F
// less the total. False when the bays would be shorter than every allowed
// length; lengths then keeps its previous values (at most n of them).
bool choose_module_lengths(int n, std::vector<double>& lengths, int wall_index, bool mix, double& leftover,
                           double fill_length);
