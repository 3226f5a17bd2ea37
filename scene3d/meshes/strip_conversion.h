// Turns a triangle strip into a plain triangle list. Odd triangles are
// written in reverse so every triangle keeps the strip's facing.
#pragma once

#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/lists/vector_lists.h"

// Appends (count - 2) * 3 corners; nothing with fewer than 3 entries.
void ConvertStripToList(const TAffineVectorList& strip, TAffineVectorList& list);
// The same through an index list; every index must lie inside vertices.
void ConvertIndexedStripToList(const TAffineVectorList& vertices, const TIntegerList& indices, TAffineVectorList& list);
