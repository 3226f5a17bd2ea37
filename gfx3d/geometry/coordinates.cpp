#include "gfx3d/geometry/coordinates.h"

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/streams.h"

namespace {

constexpr const char* kUnit = "GLMisc";

}  // namespace

std::unique_ptr<TGLCoordinates> TGLCoordinates::CreateInitialized(TPersistent* owner, const TVector4f& value,
                                                                  TGLCoordinatesStyle style) {
  auto coordinates = std::make_unique<TGLCoordinates>(owner);
  coordinates->Initialize(value);
  coordinates->style_ = style;
  return coordinates;
}

void TGLCoordinates::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCoordinates*>(source)) {
    coords_ = other->coords_;
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLCoordinates::NotifyChange(TObject* sender) {
  if (auto* component = dynamic_cast<TGLCoordinatesUpdateAbleComponent*>(Owner())) {
    component->CoordinateChanged(this);
    return;
  }
  TGLUpdateAbleObject::NotifyChange(sender);
}

void TGLCoordinates::Translate(const TAffineVector& v) {
  coords_.x += v.x;
  coords_.y += v.y;
  coords_.z += v.z;
  NotifyChange(this);
}

void TGLCoordinates::Rotate(const TAffineVector& axis, float angle) {
  RotateVector(coords_, axis, angle);
  NotifyChange(this);
}

void TGLCoordinates::Normalize() {
  NormalizeVector(coords_);
  NotifyChange(this);
}

float TGLCoordinates::VectorLength() const { return ::VectorLength(coords_); }

bool TGLCoordinates::Equals(const TVector4f& v) const { return VectorEquals(coords_, v); }

void TGLCoordinates::SetVector(float x, float y, float z) {
  Assert(style_ != csPoint, kUnit, 829);
  coords_ = {x, y, z, 0};
  NotifyChange(this);
}

void TGLCoordinates::SetVectorXYZW(float x, float y, float z, float w) {
  Assert(style_ != csPoint, kUnit, 856);
  coords_ = {x, y, z, w};
  NotifyChange(this);
}

void TGLCoordinates::SetPoint(float x, float y, float z) {
  Assert(style_ != csVector, kUnit, 888);
  coords_ = {x, y, z, 1};
  NotifyChange(this);
}

void TGLCoordinates::SetAsVector(const TVector4f& v) {
  coords_ = v;
  if (style_ == csPoint) coords_.w = 1;
  if (style_ == csVector) coords_.w = 0;
  NotifyChange(this);
}

void TGLCoordinates::SetCoordinate(int index, float value) {
  Assert(index >= 0 && index <= 3, kUnit, 0);
  coords_[index] = value;
  NotifyChange(this);
}

void TGLCoordinates::DefineProperties(TPropertyDefiner& definer) {
  TGLUpdateAbleObject::DefineProperties(definer);
  definer.DefineBinaryProperty(
      "Coordinates",
      [this](TStream& stream) {
        TVector4f value;
        stream.ReadBuffer(&value, sizeof value);
        coords_ = value;
      },
      [this](TStream& stream) { stream.WriteBuffer(&coords_, sizeof coords_); }, true);
}
