// A sky dome whose colours follow the sun: from the sun's elevation and the
// air's turbidity it derives the sun, sky and haze colours and paints a
// computed dome under the bands and stars, its bands crowding around the sun.
#pragma once

#include <vector>

#include "scene3d/sky/sky_dome.h"

enum TEarthSkydomeOption : std::uint8_t { esoFadeStarsWithSun = 1, esoRotateOnTwelveHours = 2 };
using TEarthSkydomeOptions = std::uint8_t;

class TGLEarthSkyDome : public TGLSkyDome {
 public:
  // No bands; the sun at 75°.
  explicit TGLEarthSkyDome(TComponent* owner);
  std::string ClassName() const override { return "TGLEarthSkyDome"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLEarthSkyDome>(owner);
  }
  // Sun, turbidity, the sun and sky colours (not DeepColor), slices and stacks.
  void Assign(const TPersistent* source) override;
  // A stream read the colours straight into their values: the sky is derived again.
  void Loaded() override;

  float SunElevation() const { return sun_elevation_; }
  // Limited to [-90, 90].
  void SetSunElevation(float value);
  float Turbidity() const { return turbidity_; }
  // Limited to [1, 120].
  void SetTurbidity(float value);
  TGLColor& SunZenithColor() const { return *sun_zenith_color_; }
  void SetSunZenithColor(const TGLColor& value) { sun_zenith_color_->Assign(&value); }
  TGLColor& SunDawnColor() const { return *sun_dawn_color_; }
  void SetSunDawnColor(const TGLColor& value) { sun_dawn_color_->Assign(&value); }
  TGLColor& HazeColor() const { return *haze_color_; }
  void SetHazeColor(const TGLColor& value) { haze_color_->Assign(&value); }
  TGLColor& SkyColor() const { return *sky_color_; }
  void SetSkyColor(const TGLColor& value) { sky_color_->Assign(&value); }
  TGLColor& NightColor() const { return *night_color_; }
  void SetNightColor(const TGLColor& value) { night_color_->Assign(&value); }
  TGLColor& DeepColor() const { return *deep_color_; }
  void SetDeepColor(const TGLColor& value) { deep_color_->Assign(&value); }
  TEarthSkydomeOptions ExtendedOptions() const { return extended_options_; }
  void SetExtendedOptions(TEarthSkydomeOptions value);
  int Slices() const { return slices_; }
  // At least 6.
  void SetSlices(int value);
  int Stacks() const { return stacks_; }
  // At least 1.
  void SetStacks(int value);

  const TVector4f& CurrentSunColor() const { return current_sun_color_; }
  const TVector4f& CurrentSkyColor() const { return current_sky_color_; }
  const TVector4f& CurrentHazeColor() const { return current_haze_color_; }
  float HazeTurbidity() const { return haze_turbidity_; }
  float SunSkyTurbidity() const { return sun_sky_turbidity_; }
  // Top elevation (degrees) of each computed band, bottom to top.
  std::vector<float> BandElevations() const;

  void BuildList(TRenderContextInfo& rci) override;

 private:
  void UpdateDerivedColors();
  TVector4f SkyColorAt(float elevation, const TAffineVector& point) const;
  void DrawComputedSky() const;

  float sun_elevation_ = 75, turbidity_ = 15;
  std::unique_ptr<TGLColor> sun_zenith_color_, sun_dawn_color_, haze_color_, sky_color_, night_color_, deep_color_;
  TEarthSkydomeOptions extended_options_ = 0;
  int slices_ = 48, stacks_ = 24;
  TVector4f current_sun_color_{}, current_sky_color_{}, current_haze_color_{};
  float haze_turbidity_ = 0, sun_sky_turbidity_ = 0;
};
