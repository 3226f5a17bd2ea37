// Snapping of a free-standing module (or the ends of a compact block) while it
// is moved: within 100 mm of a wall bay or another free module it is pulled
// against it, so that runs line up without aiming to the millimetre.
#pragma once

#include "model/base/records.h"

// Distance within which a module is pulled against its neighbour.
inline constexpr double kSnapDistance = 100.0;

// Snaps m against the bays and free modules of the current cell: 4 mm from
// the face of one standing across it, in line with a parallel one (sharing an
// upright, 100 mm further apart when extra_gap is set, as compact blocks are),
// or else back to back with a parallel one. Updates m's side flags, coupling
// and snap indices. True when a snap moved m. A module of the cell is never
// snapped to itself.
bool snap_free_module(Tmodulo_agg& m, bool extra_gap);

// Snaps the two end modules of the compact-block template and moves the block
// with them. Without a numeric first unit depth there is nothing to preview.
void preview_compact_block();
