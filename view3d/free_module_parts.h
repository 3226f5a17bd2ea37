// The parts of the free-standing modules of a cell (their shelf levels, the
// trolley's wheels, brakes and crossbars, the end frames at their sides, the
// sliding brackets of a mobile compact module) and the rails of its compact
// groups.
#pragma once

#include "view3d/part_placing.h"

struct Tcell;
struct Tmodulo_agg;
struct Tcorvane;

// The module's levels and, for a trolley, its extras.
void place_free_module(TGLDummyCube& root, const Tmodulo_agg& module, const Tcell& cell, PartSupply& supply);
// The module's end frames that pass the code table, and a mobile module's brackets.
void place_free_module_sides(TGLDummyCube& root, const Tmodulo_agg& module, const Tcell& cell, PartSupply& supply);
void place_compact_rails(TGLDummyCube& root, const Tcorvane& group, PartSupply& supply);

// The code-table check of a free module, and of its end-frame side of the given height.
bool free_module_available(const Tmodulo_agg& module, const Tcell& cell);
bool free_module_side_available(const Tmodulo_agg& module, double frame_height, const Tcell& cell);
