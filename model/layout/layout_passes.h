// The passes recompute_layout runs in turn, and the corner test they share.
// Internal to the layout folder: called alone, a pass leaves the cell half
// laid out (compute_usable_lengths empties every wall's bays and frames), so
// the rest of the program calls recompute_layout instead.
#pragma once

// True when the corner between walls a and b is an inside corner, one that
// closes a run off.
bool wall_corner_direction(int a, int b);

// Per-wall lengths and corner flags; empties every wall's bays and frames.
void compute_usable_lengths();

// True when no wall of kind 1 with bays to place is still to be laid out.
bool all_walls_laid_out();
// The unplaced wall bounded at both ends with the largest usable length, or -1.
int pick_next_bounded_wall();
// The unplaced wall with a free end and the largest length, or -1.
int pick_next_free_wall();

// The measured gaps at both ends of every run.
void compute_run_end_gaps();

// Moves the outline so that the box of its wall ends is centred on the origin.
// Free-standing modules keep their coordinates.
void centre_cell_outline();
