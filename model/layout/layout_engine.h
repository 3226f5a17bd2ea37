// The layout engine: rebuilds the bays and end frames of every wall of the
// current cell from the walls' settings (module count, shelves, height, depth,
// clearances, fill priority, forced lengths) and the cell's clearance S.
//
// Every edit that changes a wall, a count, a size, a priority or the outline
// calls recompute_layout and then takes an undo snapshot.
//
// Priorities rank the walls from 0; where two bay-carrying walls meet, the one
// with the higher value owns the corner: its run passes through and the other
// run stops at its face ("join high" seen from the lower wall, "join low" from
// the higher one). A clearance at a corner cuts the join on both sides.
#pragma once

// Re-centres the outline, classifies the corners, lays out every wall in fill
// order with the walks through joined corners, measures the run end gaps,
// joins corner bays and updates the free modules' clearances.
void recompute_layout();

// Gives wall w the priority p and shifts the others so the values stay a ranking;
// an index that is not a wall of the cell changes nothing.
void set_wall_priority(int wall_index, int priority);
// The same operation, under the name the module-count edit uses.
void set_wall_priority_twin(int wall_index, int priority);

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
