#include "scene3d/sky/earth_sky_dome.h"

#include <cmath>
#include <numbers>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

// Cosine and sine of each azimuth of the computed dome.
struct Azimuth {
  float sine, cosine;
};

// 2(slices div 2) + 1 azimuths, crowding towards the sun's side (azimuth 0)
// and closing the ring at azimuth π.
std::vector<Azimuth> AzimuthTable(int slices) {
  const int n = slices / 2;
  std::vector<Azimuth> table(static_cast<std::size_t>(2 * n + 1));
  for (int i = 1; i <= n; ++i) {
    const float a =
        std::numbers::pi_v<float> * (1 - std::sqrt(std::cos(static_cast<float>(i) / static_cast<float>(n) * kHalfPi)));
    table[static_cast<std::size_t>(n + i)] = {std::sin(a), std::cos(a)};
    table[static_cast<std::size_t>(n - i)] = {-std::sin(a), std::cos(a)};
  }
  table[static_cast<std::size_t>(n)] = {0, 1};
  table.front() = table.back() = {0, -1};
  return table;
}

TAffineVector RingPoint(float elevationDegrees, const Azimuth& azimuth) {
  const float a = DegToRad(elevationDegrees);
  return {std::cos(a) * azimuth.cosine, std::cos(a) * azimuth.sine, std::sin(a)};
}

}  // namespace

TGLEarthSkyDome::TGLEarthSkyDome(TComponent* owner) : TGLSkyDome(owner) {
  const auto update = [this](TObject*) { UpdateDerivedColors(); };
  sun_zenith_color_ = std::make_unique<TGLColor>(this, TVector4f{1, 1, 1, 1}, update);
  sun_dawn_color_ = std::make_unique<TGLColor>(this, TVector4f{1, 0.5f, 0, 0}, update);
  haze_color_ = std::make_unique<TGLColor>(this, TVector4f{0.9f, 0.95f, 1, 0}, update);
  sky_color_ = std::make_unique<TGLColor>(this, TVector4f{0.45f, 0.6f, 0.9f, 0}, update);
  night_color_ = std::make_unique<TGLColor>(this, TVector4f{0, 0, 0, 0}, update);
  // The deep colour only feeds the drawing, so its changes just rebuild.
  deep_color_ = std::make_unique<TGLColor>(this, TVector4f{0, 0.2f, 0.4f, 0}, [this](TObject*) { StructureChanged(); });
  Bands().Clear();
  UpdateDerivedColors();
}

void TGLEarthSkyDome::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLEarthSkyDome*>(source)) {
    sun_elevation_ = other->sun_elevation_;
    turbidity_ = other->turbidity_;
    sun_zenith_color_->Assign(other->sun_zenith_color_.get());
    sun_dawn_color_->Assign(other->sun_dawn_color_.get());
    haze_color_->Assign(other->haze_color_.get());
    sky_color_->Assign(other->sky_color_.get());
    night_color_->Assign(other->night_color_.get());
    slices_ = other->slices_;
    stacks_ = other->stacks_;
    UpdateDerivedColors();
  }
  TGLSkyDome::Assign(source);
}

void TGLEarthSkyDome::SetSunElevation(float value) {
  const float clamped = ClampSingle(value, -90, 90);
  if (clamped == sun_elevation_) return;
  sun_elevation_ = clamped;
  // The sun through the zenith or the nadir turns the sky over once.
  if ((extended_options_ & esoRotateOnTwelveHours) && std::fabs(sun_elevation_) == 90) {
    SetRollAngle(RollAngle() + 180);
    for (int i = 0; i < Stars().Count(); ++i) Stars().Items(i).RA += 180;
  }
  UpdateDerivedColors();
}

void TGLEarthSkyDome::SetTurbidity(float value) {
  turbidity_ = ClampSingle(value, 1, 120);
  UpdateDerivedColors();
}

void TGLEarthSkyDome::SetExtendedOptions(TEarthSkydomeOptions value) {
  extended_options_ = value;
  UpdateDerivedColors();
}

void TGLEarthSkyDome::SetSlices(int value) {
  slices_ = std::max(value, 6);
  StructureChanged();
}

void TGLEarthSkyDome::SetStacks(int value) {
  stacks_ = std::max(value, 1);
  StructureChanged();
}

void TGLEarthSkyDome::Loaded() {
  TGLSkyDome::Loaded();
  UpdateDerivedColors();
}

void TGLEarthSkyDome::UpdateDerivedColors() {
  const float ts = DegToRad(90 - sun_elevation_);
  current_sun_color_ = VectorLerp(sun_zenith_color_->Color(), sun_dawn_color_->Color(), std::exp(-6 * (kHalfPi - ts)));
  const float v = (1 - std::cos(ts - 0.5f)) * (1 - std::cos(ts - 0.5f));
  current_haze_color_ = VectorLerp(haze_color_->Color(), night_color_->Color(), v);
  current_sky_color_ = VectorLerp(sky_color_->Color(), night_color_->Color(), v);
  haze_turbidity_ = -2 * std::sqrt(121 - turbidity_);
  sun_sky_turbidity_ = -(121 - turbidity_);
  if (extended_options_ & esoFadeStarsWithSun) {
    const float brightness = sun_elevation_ > 0 ? std::pow(1 - sun_elevation_ / 90, 11.0f) : 1;
    const int g = RoundSingle(brightness * 255);
    for (int i = 0; i < Stars().Count(); ++i) Stars().Items(i).Color = SkyRGB(g, g, g);
  }
  StructureChanged();
}

TVector4f TGLEarthSkyDome::SkyColorAt(float elevation, const TAffineVector& point) const {
  const float ts = DegToRad(90 - sun_elevation_);
  const TAffineVector sun{std::sin(ts), 0, std::cos(ts)};
  const float theta = DegToRad(90 - elevation);
  const float d = 1 - AffineVectorDotProduct(point, sun);
  const float haze = ClampSingle(std::exp(haze_turbidity_ * (kHalfPi - theta)), 0, 1);
  const TVector4f c = VectorLerp(current_sky_color_, current_haze_color_, haze);
  const float glow = ClampSingle(1.1f * std::exp(sun_sky_turbidity_ * d * (1 + kHalfPi - theta)), 0, 1);
  return VectorLerp(c, current_sun_color_, glow);
}

std::vector<float> TGLEarthSkyDome::BandElevations() const {
  const float e = sun_elevation_ / 90;
  const int h = stacks_ / 2;
  std::vector<float> tops;
  for (int i = 0; i < stacks_; ++i) {
    float t = static_cast<float>(i + 1) / static_cast<float>(stacks_);
    if (e > 0 && i < h) {
      const float q = static_cast<float>(h - i) / static_cast<float>(h);
      t = e - e * q * q;
    } else if (e > 0) {
      // Upper bands spread from the sun to the zenith; the last one ends there.
      const int span = stacks_ - 1 - h;
      const float q = span == 0 ? 1 : static_cast<float>(i - h) / static_cast<float>(span);
      t = span == 0 ? 1 : e + (1 - e) * q * q;
    }
    tops.push_back(1 + 89 * t);
  }
  return tops;
}

void TGLEarthSkyDome::DrawComputedSky() const {
  auto& gl = GL();
  const std::vector<Azimuth> table = AzimuthTable(slices_);
  const auto vertex = [&](float elevation, const Azimuth& azimuth) {
    const TAffineVector p = RingPoint(elevation, azimuth);
    const TVector4f color = SkyColorAt(elevation, p);
    gl.glColor4fv(&color.x);
    gl.glVertex3fv(&p.x);
  };
  float bottom = 1;
  for (const float top : BandElevations()) {
    if (top == 90) {
      gl.glBegin(GL_TRIANGLE_FAN);
      const TVector4f color = SkyColorAt(90, {0, 0, 1});
      gl.glColor4fv(&color.x);
      gl.glVertex3f(0, 0, 1);
      for (const Azimuth& azimuth : table) vertex(bottom, azimuth);
    } else {
      gl.glBegin(GL_TRIANGLE_STRIP);
      for (const Azimuth& azimuth : table) {
        vertex(bottom, azimuth);
        vertex(top, azimuth);
      }
    }
    gl.glEnd();
    bottom = top;
  }
  gl.glBegin(GL_TRIANGLE_FAN);
  gl.glColor4fv(deep_color_->AsAddress());
  gl.glVertex3f(0, 0, -1);
  for (const Azimuth& azimuth : table) vertex(1, azimuth);
  gl.glEnd();
}

void TGLEarthSkyDome::BuildList(TRenderContextInfo& rci) {
  BeginDome(rci, 0.95f, true);
  DrawComputedSky();
  DrawBandsAndStars();
  EndDome();
}
