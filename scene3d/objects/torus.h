// A ring-shaped solid in the object's local XY plane round its Z axis.
#pragma once

#include <cstdint>

#include "scene3d/graph/stage_object.h"

class TGLTorus : public TGLStageObject {
 public:
  explicit TGLTorus(TComponent* owner) : TGLStageObject(owner) {}
  std::string ClassName() const override { return "TGLTorus"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLTorus>(owner);
  }

  // At least 2.
  std::uint32_t Rings() const { return rings_; }
  void SetRings(std::uint32_t value);
  // At least 3.
  std::uint32_t Sides() const { return sides_; }
  void SetSides(std::uint32_t value);
  float MinorRadius() const { return minor_radius_; }
  void SetMinorRadius(float value);
  float MajorRadius() const { return major_radius_; }
  void SetMajorRadius(float value);

  TVector4f AxisAlignedDimensionsUnscaled() override;
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  std::uint32_t rings_ = 25, sides_ = 15;
  float minor_radius_ = 0.1f, major_radius_ = 0.4f;
};
