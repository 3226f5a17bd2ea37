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
// the higher one). A clearance at a corner cuts the join on both sides, and a
// join is kept only where the two runs meet there, each on its own wall.
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
