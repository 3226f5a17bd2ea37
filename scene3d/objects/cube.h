// A box about the object's origin with any of its six faces, lit from
// outside or (for rooms seen from within) from inside.
#pragma once

#include <cstdint>

#include "scene3d/graph/stage_object.h"
#include "scene3d/objects/object_enumerations.h"

enum TCubePartFlag : std::uint8_t {
  cpTop = 1,
  cpBottom = 2,
  cpFront = 4,
  cpBack = 8,
  cpLeft = 16,
  cpRight = 32,
};
using TCubeParts = std::uint8_t;
inline constexpr TCubeParts kAllCubeParts = 63;

class TGLCube : public TGLStageObject {
 public:
  explicit TGLCube(TComponent* owner);
  std::string ClassName() const override { return "TGLCube"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLCube>(owner);
  }
  // The three sizes travel as "CubeSize", written only when one is not 1.
  void DefineProperties(TPropertyDefiner& definer) override;
  void Assign(const TPersistent* source) override;

  float CubeWidth() const { return width_; }
  void SetCubeWidth(float value);
  float CubeHeight() const { return height_; }
  void SetCubeHeight(float value);
  float CubeDepth() const { return depth_; }
  void SetCubeDepth(float value);
  TCubeParts Parts() const { return parts_; }
  void SetParts(TCubeParts value);
  TNormalDirection NormalDirection() const { return normal_direction_; }
  void SetNormalDirection(TNormalDirection value);

  TVector4f AxisAlignedDimensionsUnscaled() override;
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters& parameters) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float width_ = 1, height_ = 1, depth_ = 1;
  TCubeParts parts_ = kAllCubeParts;
  TNormalDirection normal_direction_ = ndOutside;
};
