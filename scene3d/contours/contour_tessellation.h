// The GLU tessellator as the contours use it: merging contours into outline
// loops, and filling loops with triangles sent through the GL binding. No
// exception crosses a GLU callback: the first failure is kept and raised
// after the polygon ends.
#pragma once

#include <vector>

#include "gfx3d/math/vector_types.h"

class TPolygonList;

using TContourPoints = std::vector<TAffineVector>;

// Loops of the region whose winding about normal is positive; each contour is fed reversed when asked.
void TessellateOutline(const std::vector<TContourPoints>& contours, const std::vector<bool>& reversed,
                       const TAffineVector& normal, TPolygonList& outline);
// Triangles of the loops' positive region about normal, drawn with glBegin/glVertex.
void TessellateFill(const TPolygonList& loops, bool reversed, const TAffineVector& normal, bool textured);
