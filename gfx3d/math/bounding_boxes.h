// Axis-aligned bounding boxes: merging, growing by points, scaling and
// transforming. The operations never reorder corners.
#pragma once

#include "gfx3d/math/vector_types.h"

struct TAABB {
  TAffineVector min, max;
};

// Grows box to enclose other.
void AddBB(TAABB& box, const TAABB& other);
// A box centred on the origin with half extents |v.x|, |v.y|, |v.z|.
void SetBB(TAABB& box, const TVector4f& v);
// The smallest box enclosing the eight transformed corners.
void BBTransform(TAABB& box, const TMatrix4f& m);
// A negative factor leaves that axis with min above max.
void ScaleBB(TAABB& box, const TAffineVector& factor);
void IncludeInBB(TAABB& box, const TAffineVector& p);
