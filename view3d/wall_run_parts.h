// The shelving along one wall: its end frames, and its bays with their shelf levels.
#pragma once

#include "view3d/part_placing.h"

struct Tcell;
struct Tlinea;
struct Ttestata;
struct Tmodulo;

void place_wall_frames(TGLDummyCube& root, const Tlinea& wall, const Tcell& cell, PartSupply& supply);
void place_wall_bays(TGLDummyCube& root, const Tlinea& wall, const Tcell& cell, PartSupply& supply);

// The code-table checks of an end frame and of a bay.
bool frame_available(const Ttestata& frame, const Tcell& cell);
bool bay_available(const Tmodulo& bay, const Tcell& cell);
