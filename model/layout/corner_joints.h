// Two passes over the current cell after a change of its layout: bays of a
// lower run joined at a corner take the shelf pattern of the taller bay they
// meet, and every end frame is made as tall as the taller bay beside it.
#pragma once

#include "model/base/records.h"

// Where a lower run is joined to a taller neighbour's bay at a corner, every
// bay of the lower run gets that bay's pattern refitted to its own height.
void join_corner_modules();

// Heights of the end frames of every wall run and of every free module's two
// end frames; marks the frames beside a fixed compact-shelving module, which
// are as tall as that module (1850 mm).
void compute_end_frame_heights();
// The same for any cell: the frame heights are not stored, and the bill, the
// printed pages and the exports need them for every cell.
void compute_cell_end_frame_heights(Tcell& cell);
