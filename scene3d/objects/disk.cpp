#include "scene3d/objects/disk.h"

#include <cmath>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/intersections.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

void TGLDisk::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLDisk*>(source)) {
    start_angle_ = other->start_angle_;
    sweep_angle_ = other->sweep_angle_;
    outer_radius_ = other->outer_radius_;
    inner_radius_ = other->inner_radius_;
    slices_ = other->slices_;
    loops_ = other->loops_;
  }
  TGLQuadricObject::Assign(source);
}

void TGLDisk::SetStartAngle(float value) {
  StoreOnChange(start_angle_, value, [this] { StructureChanged(); });
}
void TGLDisk::SetSweepAngle(float value) {
  StoreOnChange(sweep_angle_, value, [this] { StructureChanged(); });
}
void TGLDisk::SetOuterRadius(float value) {
  StoreOnChange(outer_radius_, value, [this] { StructureChanged(); });
}
void TGLDisk::SetInnerRadius(float value) {
  StoreOnChange(inner_radius_, value, [this] { StructureChanged(); });
}
void TGLDisk::SetSlices(int value) {
  StoreOnChange(slices_, value, [this] { StructureChanged(); });
}
void TGLDisk::SetLoops(int value) {
  StoreOnChange(loops_, value, [this] { StructureChanged(); });
}

TVector4f TGLDisk::AxisAlignedDimensionsUnscaled() {
  const float r = std::fabs(outer_radius_);
  return {r, r, 0, 0};
}

bool TGLDisk::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                               TVector4f* intersectNormal) {
  TVector4f hit;
  if (!RayPlaneIntersection(rayStart, rayVector, AbsolutePosition(), AbsoluteDirection(), &hit)) return false;
  if (intersectPoint) *intersectPoint = hit;
  const TVector4f local = AbsoluteToLocal(hit);
  const float distance2 = local.x * local.x + local.y * local.y + local.z * local.z;
  if (distance2 < inner_radius_ * inner_radius_ || distance2 > outer_radius_ * outer_radius_) return false;
  if (intersectNormal) *intersectNormal = AbsoluteDirection();
  return true;
}

void TGLDisk::BuildList(TRenderContextInfo&) {
  const TGLUQuadric quadric(*this);
  GL().gluPartialDisk(quadric.get(), inner_radius_, outer_radius_, slices_, loops_, start_angle_, sweep_angle_);
}
