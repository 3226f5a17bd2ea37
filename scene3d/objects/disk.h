// A flat disc, ring or sector in the object's local XY plane, drawn by GLU.
#pragma once

#include "scene3d/objects/quadric_object.h"

class TGLDisk : public TGLQuadricObject {
 public:
  explicit TGLDisk(TComponent* owner) : TGLQuadricObject(owner) {}
  std::string ClassName() const override { return "TGLDisk"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLDisk>(owner);
  }
  void Assign(const TPersistent* source) override;

  // Degrees.
  float StartAngle() const { return start_angle_; }
  void SetStartAngle(float value);
  float SweepAngle() const { return sweep_angle_; }
  void SetSweepAngle(float value);
  float OuterRadius() const { return outer_radius_; }
  void SetOuterRadius(float value);
  float InnerRadius() const { return inner_radius_; }
  void SetInnerRadius(float value);
  int Slices() const { return slices_; }
  void SetSlices(int value);
  int Loops() const { return loops_; }
  void SetLoops(int value);

  TVector4f AxisAlignedDimensionsUnscaled() override;
  // The plane's hit point is written even when it falls in the hole or outside the rim.
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float start_angle_ = 0, sweep_angle_ = 360, outer_radius_ = 0.5f, inner_radius_ = 0;
  int slices_ = 16, loops_ = 2;
};
