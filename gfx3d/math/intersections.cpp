#include "gfx3d/math/intersections.h"

#include <cmath>

#include "gfx3d/math/vector_operations.h"

namespace {

TVector4f PointAlongRay(const TVector4f& start, const TVector4f& direction, float t) {
  return VectorCombine(start, direction, t);
}

TVector4f Column(const TMatrix4f& m, int j) { return {m[0][j], m[1][j], m[2][j], m[3][j]}; }

}  // namespace

bool RayPlaneIntersection(const TVector4f& rayStart, const TVector4f& rayVector, const TVector4f& planePoint,
                          const TVector4f& planeNormal, TVector4f* hit) {
  const float d = VectorDotProduct(rayVector, planeNormal);
  if (d <= EpsilonSmall && d >= -EpsilonSmall) return false;
  if (!hit) return true;
  const float t = VectorDotProduct(VectorSubtract(planePoint, rayStart), planeNormal) / d;
  if (t <= 0) return false;
  *hit = PointAlongRay(rayStart, rayVector, t);
  return true;
}

bool RayTriangleIntersection(const TVector4f& rayStart, const TVector4f& rayVector, const TAffineVector& p1,
                             const TAffineVector& p2, const TAffineVector& p3, TVector4f* hit, TAffineVector* normal) {
  const TAffineVector e1 = AffineVectorSubtract(p2, p1), e2 = AffineVectorSubtract(p3, p1);
  const TAffineVector direction{rayVector.x, rayVector.y, rayVector.z};
  const TAffineVector pvec = AffineVectorCrossProduct(direction, e2);
  const float det = AffineVectorDotProduct(e1, pvec);
  if (det > -EpsilonSmall && det < EpsilonSmall) return false;
  const float inv = 1 / det;
  const TAffineVector tvec = AffineVectorSubtract({rayStart.x, rayStart.y, rayStart.z}, p1);
  const float u = AffineVectorDotProduct(tvec, pvec) * inv;
  if (u < 0 || u > 1) return false;
  const TAffineVector qvec = AffineVectorCrossProduct(tvec, e1);
  const float v = VectorDotProduct(rayVector, Vector4FromAffine(qvec, 0)) * inv;
  if (v < 0 || u + v > 1) return false;
  const float t = AffineVectorDotProduct(e2, qvec) * inv;
  if (t <= 0) return false;
  if (hit) *hit = PointAlongRay(rayStart, rayVector, t);
  if (normal) *normal = AffineVectorCrossProduct(e1, e2);
  return true;
}

int RaySphereIntersection(const TVector4f& rayStart, const TVector4f& rayVector, const TVector4f& centre, float radius,
                          TVector4f& i1, TVector4f& i2) {
  const float proj = PointDistanceAlongVector(centre, rayStart, rayVector);
  const TVector4f closest = PointAlongRay(rayStart, rayVector, proj);
  const float d2 = radius * radius - VectorDistanceSquared(centre, closest);
  // Signs are read from the bit patterns: -0.0 counts as negative.
  if (std::signbit(d2)) return 0;
  if (d2 == 0) {
    if (std::signbit(proj) || proj == 0) return 0;
    i1 = closest;
    return 1;
  }
  const float h = std::sqrt(d2);
  if (proj >= h) {
    i1 = PointAlongRay(rayStart, rayVector, proj - h);
    i2 = PointAlongRay(rayStart, rayVector, proj + h);
    return 2;
  }
  if (proj + h >= 0) {
    i1 = PointAlongRay(rayStart, rayVector, proj + h);
    return 1;
  }
  return 0;
}

float SphereApparentRadius(float distance, float radius) {
  const float d2 = distance * distance, r2 = radius * radius;
  const float h = std::sqrt(d2 - r2);
  const float y = ((d2 + r2) - h * h) / (2 * h);
  return std::sqrt(y * y + r2);
}

void FrustumFromMatrix(const TMatrix4f& m, TFrustumPlanes& planes) {
  const TVector4f c0 = Column(m, 0), c1 = Column(m, 1), c2 = Column(m, 2), c3 = Column(m, 3);
  planes = {VectorAdd(c3, c0), VectorSubtract(c3, c1), VectorSubtract(c3, c0),
            VectorAdd(c3, c1), VectorAdd(c3, c2),      VectorSubtract(c3, c2)};
  for (TVector4f* plane : {&planes.pLeft, &planes.pTop, &planes.pRight, &planes.pBottom, &planes.pNear, &planes.pFar})
    NormalizePlaneEquation(*plane);
}

bool IsSphereOutsideFrustum(const TVector4f& centre, const TClippingInfo& clippingInfo, float radius) {
  const TFrustumPlanes& f = clippingInfo.frustum;
  const float negativeRadius = -radius;
  const TAffineVector point{centre.x, centre.y, centre.z};
  for (const TVector4f* plane : {&f.pLeft, &f.pTop, &f.pRight, &f.pBottom, &f.pNear, &f.pFar})
    if (EvaluatePlaneAt(*plane, point) < negativeRadius) return true;
  return false;
}

bool IsSphereOutsideFrustumAffine(const TAffineVector& centre, const TClippingInfo& clippingInfo, float radius) {
  return IsSphereOutsideFrustum(PointFromAffine(centre), clippingInfo, radius);
}

bool IsBoxOutsideFrustum(const TAffineVector& min, const TAffineVector& max, const TClippingInfo& clippingInfo) {
  const TAffineVector centre = AffineVectorScale(AffineVectorAdd(min, max), 0.5f);
  return IsSphereOutsideFrustumAffine(centre, clippingInfo, VectorDistance(min, max) * 0.5f);
}
