// A sphere about the object's origin, optionally limited in latitude (with
// flat or centred caps closing the cut) and in longitude.
#pragma once

#include <cstdint>

#include "scene3d/objects/quadric_object.h"

enum TCapType : std::uint8_t { ctNone, ctCenter, ctFlat };

class TGLSphere : public TGLQuadricObject {
 public:
  explicit TGLSphere(TComponent* owner) : TGLQuadricObject(owner) {}
  std::string ClassName() const override { return "TGLSphere"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLSphere>(owner);
  }
  // Sizes and limits; the caps stay.
  void Assign(const TPersistent* source) override;

  float Radius() const { return radius_; }
  void SetRadius(float value);
  // At least 1.
  int Slices() const { return slices_; }
  void SetSlices(int value);
  int Stacks() const { return stacks_; }
  void SetStacks(int value);
  // Latitudes in degrees, -90..90.
  std::int8_t Top() const { return top_; }
  void SetTop(std::int8_t value);
  std::int8_t Bottom() const { return bottom_; }
  void SetBottom(std::int8_t value);
  // Longitudes in degrees, 0..360; Start above Stop fails an assertion and is not stored.
  std::uint16_t Start() const { return start_; }
  void SetStart(std::uint16_t value);
  std::uint16_t Stop() const { return stop_; }
  void SetStop(std::uint16_t value);
  TCapType TopCap() const { return top_cap_; }
  void SetTopCap(TCapType value);
  TCapType BottomCap() const { return bottom_cap_; }
  void SetBottomCap(TCapType value);

  TVector4f AxisAlignedDimensionsUnscaled() override;
  // Against the full sphere; the latitude and longitude limits are ignored.
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters& parameters) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  // A fan closing the cut at latitude (radians); sign +1 for the top, -1 for the bottom.
  void BuildCap(TCapType cap, float latitude, float sign) const;

  float radius_ = 0.5f;
  int slices_ = 16, stacks_ = 16;
  std::int8_t top_ = 90, bottom_ = -90;
  std::uint16_t start_ = 0, stop_ = 360;
  TCapType top_cap_ = ctNone, bottom_cap_ = ctNone;
};
