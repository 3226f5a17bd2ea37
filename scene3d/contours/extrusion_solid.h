// A multi-polygon's outline swept along local Z by Height: side walls on
// every outline loop and, when asked, caps at Z = 0 and Z = Height. The room
// walls are one such solid, the room and the openings being holes of the ring.
#pragma once

#include <cmath>
#include <cstdint>

#include "scene3d/contours/contours.h"

enum TExtrusionSolidPart : std::uint8_t {
  espOutside = 1,
  espInside = 2,
  espStartPolygon = 4,
  espStopPolygon = 8,
};
using TExtrusionSolidParts = std::uint8_t;

class TGLExtrusionSolid : public TMultiPolygonBase {
 public:
  explicit TGLExtrusionSolid(TComponent* owner) : TMultiPolygonBase(owner) {}
  std::string ClassName() const override { return "TGLExtrusionSolid"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLExtrusionSolid>(owner);
  }
  // Stacks, Normals, NormalDirection and Parts; Height and MinSmoothAngle stay.
  void Assign(const TPersistent* source) override;

  int Stacks() const { return stacks_; }
  // 0 or below is ignored.
  void SetStacks(int value);
  TNormalSmoothing Normals() const { return normals_; }
  void SetNormals(TNormalSmoothing value);
  TNormalDirection NormalDirection() const { return normal_direction_; }
  void SetNormalDirection(TNormalDirection value);
  TExtrusionSolidParts Parts() const { return parts_; }
  void SetParts(TExtrusionSolidParts value);
  float Height() const { return height_; }
  void SetHeight(float value);
  float MinSmoothAngle() const { return min_smooth_angle_; }
  void SetMinSmoothAngle(float degrees);

  void BuildList(TRenderContextInfo& rci) override;

 private:
  TAffineVector CalcNormal(const TAffineVector& a, const TAffineVector& b) const;
  void BuildSides(const TAffineVectorList& loop, bool inside);
  void BuildStack(TAffineVector a, TAffineVector b, bool reverse, float ta, float tb, TAffineVector& running);
  void BuildCaps();

  int stacks_ = 1;
  TNormalSmoothing normals_ = nsFlat;
  TNormalDirection normal_direction_ = ndOutside;
  TExtrusionSolidParts parts_ = espOutside;
  float height_ = 1.0f;
  float min_smooth_angle_ = 5.0f;
  float min_smooth_angle_cos_ = std::cos(5.0f * 0.017453292f);
};
