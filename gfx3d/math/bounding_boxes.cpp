#include "gfx3d/math/bounding_boxes.h"

#include <cmath>

#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/vector_operations.h"

void AddBB(TAABB& box, const TAABB& other) {
  for (int i = 0; i < 3; ++i) {
    if (other.min[i] < box.min[i]) box.min[i] = other.min[i];
    if (other.max[i] > box.max[i]) box.max[i] = other.max[i];
  }
}

void SetBB(TAABB& box, const TVector4f& v) {
  box.max = {std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)};
  box.min = AffineVectorNegate(box.max);
}

void BBTransform(TAABB& box, const TMatrix4f& m) {
  const TAffineVector lo = box.min, hi = box.max;
  const TAffineVector first = AffineVectorTransform(lo, m);
  box = {first, first};
  // Corners in the order (x, y, z) bits 001 .. 111 after the all-min corner.
  for (int corner = 1; corner < 8; ++corner) {
    const TAffineVector p{(corner & 4) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y, (corner & 1) ? hi.z : lo.z};
    IncludeInBB(box, AffineVectorTransform(p, m));
  }
}

void ScaleBB(TAABB& box, const TAffineVector& factor) {
  ScaleAffineVectorComponents(box.min, factor);
  ScaleAffineVectorComponents(box.max, factor);
}

void IncludeInBB(TAABB& box, const TAffineVector& p) {
  for (int i = 0; i < 3; ++i) {
    if (p[i] < box.min[i]) box.min[i] = p[i];
    if (p[i] > box.max[i]) box.max[i] = p[i];
  }
}
