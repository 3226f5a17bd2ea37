// The common base of the solids round the local Y axis drawn by GLU
// cylinders and discs: cone, cylinder, annulus and arrow line.
#pragma once

#include "scene3d/objects/quadric_object.h"

class TGLCylinderBase : public TGLQuadricObject {
 public:
  explicit TGLCylinderBase(TComponent* owner) : TGLQuadricObject(owner) {}
  std::string ClassName() const override { return "TGLCylinderBase"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLCylinderBase>(owner);
  }
  void Assign(const TPersistent* source) override;

  float BottomRadius() const { return bottom_radius_; }
  void SetBottomRadius(float value);
  int Slices() const { return slices_; }
  void SetSlices(int value);
  int Stacks() const { return stacks_; }
  void SetStacks(int value);
  int Loops() const { return loops_; }
  // Values of 0 or less are ignored.
  void SetLoops(int value);
  float Height() const { return height_; }
  void SetHeight(float value);
  // The radius at the top end: the bottom one unless a subclass narrows it.
  virtual float TopRadiusOfShape() const { return bottom_radius_; }

  // From a frustum of cone with at least five sides.
  std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters& parameters) override;

 private:
  float bottom_radius_ = 0.5f;
  int slices_ = 16, stacks_ = 4, loops_ = 1;
  float height_ = 1;
};

// GL's modelview turned so that GLU's +Z axis becomes the local +Y axis.
void RotateZAxisToY();

// The nearest point where start + k direction meets the side of the cone
// through radius bottomRadius at bottomY and topRadius at topY (a cylinder
// when the two are equal), with k >= 0 and low <= k < high, and the side's
// normal there. The mirrored half of the double cone does not count.
struct TSideHit {
  double k = 0;
  TAffineVector normal;
};
bool NearestSideHit(const TAffineVector& start, const TAffineVector& direction, float bottomRadius, float topRadius,
                    float bottomY, float topY, double low, double high, TSideHit& hit);
