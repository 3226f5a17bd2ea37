// Ray intersections and frustum culling of spheres and boxes.
#pragma once

#include "gfx3d/math/vector_types.h"

// False for a ray parallel to the plane. Without a hit record any other ray
// counts as a hit; with one, only a hit in front of the start (t > 0).
bool RayPlaneIntersection(const TVector4f& rayStart, const TVector4f& rayVector, const TVector4f& planePoint,
                          const TVector4f& planeNormal, TVector4f* hit = nullptr);
// Hit in front of the start; normal is e1 x e2, not normalised.
bool RayTriangleIntersection(const TVector4f& rayStart, const TVector4f& rayVector, const TAffineVector& p1,
                             const TAffineVector& p2, const TAffineVector& p3, TVector4f* hit = nullptr,
                             TAffineVector* normal = nullptr);
// Number of hits (0, 1 or 2) of a ray with a unit direction; i1 is the nearer.
int RaySphereIntersection(const TVector4f& rayStart, const TVector4f& rayVector, const TVector4f& centre, float radius,
                          TVector4f& i1, TVector4f& i2);
// Radius of the sphere's outline as seen from the given distance to its centre.
float SphereApparentRadius(float distance, float radius);
// The six planes of a combined model-view-projection matrix, normalised.
void FrustumFromMatrix(const TMatrix4f& m, TFrustumPlanes& planes);
bool IsSphereOutsideFrustum(const TVector4f& centre, const TClippingInfo& clippingInfo, float radius);
bool IsSphereOutsideFrustumAffine(const TAffineVector& centre, const TClippingInfo& clippingInfo, float radius);
bool IsBoxOutsideFrustum(const TAffineVector& min, const TAffineVector& max, const TClippingInfo& clippingInfo);
