// The coordinate property of 3-D objects: a position, direction, up vector or
// scale of four singles whose style decides w, telling its owner on change.
#pragma once

#include "gfx3d/core/notification.h"
#include "gfx3d/math/vector_types.h"

// csPoint forces w = 1, csVector w = 0, csUnknown keeps w as given.
enum TGLCoordinatesStyle : std::uint8_t { csPoint, csVector, csUnknown };

class TGLCoordinates : public TGLUpdateAbleObject {
 public:
  explicit TGLCoordinates(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  // Made with a value and style; nobody is notified.
  static std::unique_ptr<TGLCoordinates> CreateInitialized(TPersistent* owner, const TVector4f& value,
                                                           TGLCoordinatesStyle style);
  std::string ClassName() const override { return "TGLCoordinates"; }

  TGLCoordinatesStyle Style() const { return style_; }
  void SetStyle(TGLCoordinatesStyle style) { style_ = style; }

  // Sets the value without notifying.
  void Initialize(const TVector4f& value) { coords_ = value; }
  // Copies another coordinates object's four singles without notifying.
  void Assign(const TPersistent* source) override;
  // Coordinates owned by a coordinates-updatable component report to it alone.
  void NotifyChange(TObject* sender) override;

  void Translate(const TAffineVector& v);
  // Angle in radians; all four components are transformed.
  void Rotate(const TAffineVector& axis, float angle);
  // x, y, z normalised, w := 0.
  void Normalize();
  float VectorLength() const;
  // Bitwise equality of all four components.
  bool Equals(const TVector4f& v) const;

  // (x, y, z, 0); a point style refuses it.
  void SetVector(float x, float y, float z);
  // (x, y, z, w); a point style refuses it.
  void SetVectorXYZW(float x, float y, float z, float w);
  // (x, y, z, 1); a vector style refuses it.
  void SetPoint(float x, float y, float z);
  // All four, then w as the style wants.
  void SetAsVector(const TVector4f& v);
  // All four, without the style and without notifying.
  void SetDirectVector(const TVector4f& v) { coords_ = v; }
  // One component (0..3); notifies even when the value is unchanged.
  void SetCoordinate(int index, float value);

  float X() const { return coords_.x; }
  float Y() const { return coords_.y; }
  float Z() const { return coords_.z; }
  void SetX(float value) { SetCoordinate(0, value); }
  void SetY(float value) { SetCoordinate(1, value); }
  void SetZ(float value) { SetCoordinate(2, value); }
  const TVector4f& AsVector() const { return coords_; }
  // The stored value itself, for callers that read and write it in place.
  TVector4f* AsAddress() { return &coords_; }
  TAffineVector GetAsAffineVector() const { return {coords_.x, coords_.y, coords_.z}; }

  // The binary property "Coordinates": x, y, z, w as 16 raw little-endian bytes.
  void DefineProperties(TPropertyDefiner& definer) override;

 private:
  TVector4f coords_;
  TGLCoordinatesStyle style_ = csUnknown;
};

// Coordinates whose w is a published property as well.
class TGLCoordinates4 : public TGLCoordinates {
 public:
  using TGLCoordinates::TGLCoordinates;
  std::string ClassName() const override { return "TGLCoordinates4"; }
  float W() const { return AsVector().w; }
  void SetW(float value) { SetCoordinate(3, value); }
};
