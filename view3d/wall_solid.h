// The room's walls as one extrusion solid: the band between the outer and the
// room outline, cut through at every opening, raised to the wall height.
#pragma once

class TGLDummyCube;
class TGLMaterial;
struct Tcell;

// Adds the walls' element group under root. An outline the tessellator
// refuses gives no walls; that is decided here, once, not at every frame.
void place_walls(TGLDummyCube& root, const Tcell& cell, const TGLMaterial& material, int wall_height);
