// A thick-walled tube round the local Y axis, centred on the origin: outer
// and inner walls with ring-shaped ends.
#pragma once

#include <cstdint>

#include "scene3d/objects/cylinder_base.h"

enum TAnnulusPartFlag : std::uint8_t { anInnerSides = 1, anOuterSides = 2, anBottom = 4, anTop = 8 };
using TAnnulusParts = std::uint8_t;

class TGLAnnulus : public TGLCylinderBase {
 public:
  explicit TGLAnnulus(TComponent* owner) : TGLCylinderBase(owner) {}
  std::string ClassName() const override { return "TGLAnnulus"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLAnnulus>(owner);
  }
  void Assign(const TPersistent* source) override;
  TAnnulusParts Parts() const { return parts_; }
  void SetParts(TAnnulusParts value);
  float BottomInnerRadius() const { return bottom_inner_radius_; }
  void SetBottomInnerRadius(float value);
  float TopInnerRadius() const { return top_inner_radius_; }
  void SetTopInnerRadius(float value);
  float TopRadius() const { return top_radius_; }
  void SetTopRadius(float value);

  TVector4f AxisAlignedDimensionsUnscaled() override;
  // Against the top radii throughout; each end reports its own outward normal.
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  TAnnulusParts parts_ = anInnerSides | anOuterSides | anBottom | anTop;
  float bottom_inner_radius_ = 0.3f, top_inner_radius_ = 0.3f, top_radius_ = 0.5f;
};
