// The cone and the (possibly tapered) cylinder round the local Y axis.
#pragma once

#include <cstdint>

#include "scene3d/objects/cylinder_base.h"

enum TConePartFlag : std::uint8_t { coSides = 1, coBottom = 2 };
using TConeParts = std::uint8_t;

class TGLCone : public TGLCylinderBase {
 public:
  explicit TGLCone(TComponent* owner) : TGLCylinderBase(owner) {}
  std::string ClassName() const override { return "TGLCone"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLCone>(owner);
  }
  void Assign(const TPersistent* source) override;
  TConeParts Parts() const { return parts_; }
  void SetParts(TConeParts value);
  float TopRadiusOfShape() const override { return 0; }
  TVector4f AxisAlignedDimensionsUnscaled() override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  TConeParts parts_ = coSides | coBottom;
};

enum TCylinderPartFlag : std::uint8_t { cySides = 1, cyBottom = 2, cyTop = 4 };
using TCylinderParts = std::uint8_t;
// Where the object's origin sits on the axis: the middle, the top or the bottom face.
enum TCylinderAlignment : std::uint8_t { caCenter, caTop, caBottom };

class TGLCylinder : public TGLCylinderBase {
 public:
  explicit TGLCylinder(TComponent* owner) : TGLCylinderBase(owner) {}
  std::string ClassName() const override { return "TGLCylinder"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLCylinder>(owner);
  }
  // Parts and TopRadius; the alignment stays.
  void Assign(const TPersistent* source) override;
  TCylinderParts Parts() const { return parts_; }
  void SetParts(TCylinderParts value);
  float TopRadius() const { return top_radius_; }
  void SetTopRadius(float value);
  TCylinderAlignment Alignment() const { return alignment_; }
  void SetAlignment(TCylinderAlignment value);
  float TopRadiusOfShape() const override { return top_radius_; }

  TVector4f AxisAlignedDimensionsUnscaled() override;
  // The nearest of the caps (each against its own radius) and the side, a cone between them.
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  // The local y of the bottom face for the alignment.
  float BottomY() const;

  TCylinderParts parts_ = cySides | cyBottom | cyTop;
  float top_radius_ = 0.5f;
  TCylinderAlignment alignment_ = caCenter;
};
