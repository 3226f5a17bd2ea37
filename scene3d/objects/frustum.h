// A four-sided pyramid standing on its base in the local XZ plane, cut
// level at Height below its apex.
#pragma once

#include <cstdint>

#include "scene3d/graph/stage_object.h"
#include "scene3d/objects/object_enumerations.h"

enum TFrustrumPartFlag : std::uint8_t {
  fpTop = 1,
  fpBottom = 2,
  fpFront = 4,
  fpBack = 8,
  fpLeft = 16,
  fpRight = 32,
};
using TFrustrumParts = std::uint8_t;
inline constexpr TFrustrumParts kAllFrustrumParts = 63;

class TGLFrustrum : public TGLStageObject {
 public:
  explicit TGLFrustrum(TComponent* owner) : TGLStageObject(owner) {}
  std::string ClassName() const override { return "TGLFrustrum"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLFrustrum>(owner);
  }
  // The four sizes travel as "FrustrumSize", unless all hold their defaults.
  void DefineProperties(TPropertyDefiner& definer) override;
  void Assign(const TPersistent* source) override;

  // Negative sizes are ignored. The cut never rises above the apex: each
  // writer drags the other height along.
  float ApexHeight() const { return apex_height_; }
  void SetApexHeight(float value);
  float Height() const { return height_; }
  void SetHeight(float value);
  float BaseDepth() const { return base_depth_; }
  void SetBaseDepth(float value);
  float BaseWidth() const { return base_width_; }
  void SetBaseWidth(float value);
  TFrustrumParts Parts() const { return parts_; }
  void SetParts(TFrustrumParts value);
  TNormalDirection NormalDirection() const { return normal_direction_; }
  void SetNormalDirection(TNormalDirection value);

  TVector4f AxisAlignedDimensionsUnscaled() override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float apex_height_ = 1, base_depth_ = 1, base_width_ = 1, height_ = 0.5f;
  TFrustrumParts parts_ = kAllFrustrumParts;
  TNormalDirection normal_direction_ = ndOutside;
};
