// A sky painted around the camera: latitude bands of blended colours and a
// list of point stars on a unit sphere whose axis is local Z (elevation +90
// is (0, 0, 1), azimuth 0 is +X). It is drawn centred on the camera, without
// lighting, depth or culling, just inside the far plane, so that everything
// else of the scene draws over it.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "gfx3d/core/toolkit_components.h"
#include "gfx3d/materials/materials.h"
#include "scene3d/graph/stage_object.h"

// One latitude band from StartAngle to StopAngle (degrees of elevation).
class TSkyDomeBand : public TCollectionItem {
 public:
  explicit TSkyDomeBand(TCollection* collection = nullptr);
  ~TSkyDomeBand() override;
  std::string ClassName() const override { return "TSkyDomeBand"; }
  // Angles, colours, slices and stacks; the band stays in its own list.
  void Assign(const TPersistent* source) override;
  // "<index>: <start>° - <stop>°".
  std::string GetDisplayName() const override;

  float StartAngle() const { return start_angle_; }
  // Limited to [-90, 90]; pushes StopAngle up to it.
  void SetStartAngle(float value);
  float StopAngle() const { return stop_angle_; }
  // Limited to [-90, 90]; pushes StartAngle down to it.
  void SetStopAngle(float value);
  TGLColor& StartColor() const { return *start_color_; }
  void SetStartColor(const TGLColor& value) { start_color_->Assign(&value); }
  TGLColor& StopColor() const { return *stop_color_; }
  void SetStopColor(const TGLColor& value) { stop_color_->Assign(&value); }
  int Slices() const { return slices_; }
  // At least 3.
  void SetSlices(int value);
  int Stacks() const { return stacks_; }
  // At least 1.
  void SetStacks(int value);

  void BuildList() const;

 private:
  float start_angle_ = 0, stop_angle_ = 0;
  std::unique_ptr<TGLColor> start_color_, stop_color_;
  int slices_ = 12, stacks_ = 1;
};

// The bands in drawing order; any change rebuilds the owning scene object.
class TSkyDomeBands : public TOwnedCollection {
 public:
  explicit TSkyDomeBands(TPersistent* owner);
  std::string ClassName() const override { return "TSkyDomeBands"; }
  TSkyDomeBand* Add() { return static_cast<TSkyDomeBand*>(TOwnedCollection::Add()); }
  TSkyDomeBand& Items(int index) const { return static_cast<TSkyDomeBand&>(*TCollection::Items(index)); }
  void BuildList() const;

 protected:
  void Update(TCollectionItem* item) override;
};

// A 24-bit RGB colour: red in the low byte, blue in the third.
using TSkyColorRef = std::uint32_t;
constexpr TSkyColorRef SkyRGB(int r, int g, int b) { return static_cast<TSkyColorRef>(r | (g << 8) | (b << 16)); }

// A point star at right ascension RA (azimuth) and declination Dec, degrees.
class TSkyDomeStar : public TCollectionItem {
 public:
  explicit TSkyDomeStar(TCollection* collection = nullptr) : TCollectionItem(collection) {}
  std::string ClassName() const override { return "TSkyDomeStar"; }
  // RA, Dec, Magnitude, Color and the cached position; the star stays in its own list.
  void Assign(const TPersistent* source) override;
  // "RA: <ra> / Dec: <dec>".
  std::string GetDisplayName() const override;

  float RA = 0, Dec = 0, Magnitude = 0;
  TSkyColorRef Color = 0;
  TAffineVector CachedPosition{0, 0, 0};
};

class TSkyDomeStars : public TOwnedCollection {
 public:
  explicit TSkyDomeStars(TPersistent* owner);
  std::string ClassName() const override { return "TSkyDomeStars"; }
  TSkyDomeStar* Add() { return static_cast<TSkyDomeStar*>(TOwnedCollection::Add()); }
  TSkyDomeStar& Items(int index) const { return static_cast<TSkyDomeStar&>(*TCollection::Items(index)); }
  // Brighter stars are bigger points; twinkling scales each colour by a fresh random factor.
  void BuildList(std::minstd_rand* twinkle);
};

enum TSkyDomeOption : std::uint8_t { sdoTwinkle = 1 };
using TSkyDomeOptions = std::uint8_t;

class TGLSkyDome : public TGLCameraInvariantObject {
 public:
  // Two bands: white to blue up to 15°, then blue to dark blue in four stacks.
  explicit TGLSkyDome(TComponent* owner);
  std::string ClassName() const override { return "TGLSkyDome"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLSkyDome>(owner);
  }
  void Assign(const TPersistent* source) override;

  TSkyDomeBands& Bands() const { return *bands_; }
  void SetBands(const TSkyDomeBands& value);
  TSkyDomeStars& Stars() const { return *stars_; }
  void SetStars(const TSkyDomeStars& value);
  TSkyDomeOptions Options() const { return options_; }
  // Twinkling draws every frame, so it turns off the display list.
  void SetOptions(TSkyDomeOptions value);
  // Twinkling draws from this generator; seed it for repeatable frames.
  std::minstd_rand& TwinkleRandom() { return twinkle_random_; }

  void BuildList(TRenderContextInfo& rci) override;

 protected:
  // Pushes the state the dome needs and scales it to `farFraction` of the far plane.
  static void BeginDome(const TRenderContextInfo& rci, float farFraction, bool disableAlphaTest);
  static void EndDome();
  void DrawBandsAndStars();

 private:
  std::unique_ptr<TSkyDomeBands> bands_;
  std::unique_ptr<TSkyDomeStars> stars_;
  TSkyDomeOptions options_ = 0;
  std::minstd_rand twinkle_random_;
};
