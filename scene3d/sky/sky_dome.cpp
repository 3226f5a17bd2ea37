#include "scene3d/sky/sky_dome.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr TVector4f kBlue{0, 0, 1, 1};

// The point of the unit sphere at elevation `elevation` (radians) and azimuth 2πk/slices.
void RingVertex(float elevation, int k, int slices) {
  const float azimuth = static_cast<float>(k) * 2 * std::numbers::pi_v<float> / static_cast<float>(slices);
  const float c = std::cos(elevation);
  GL().glVertex4f(c * std::cos(azimuth), c * std::sin(azimuth), std::sin(elevation), 1);
}

TVector4f ColorRefToVector(TSkyColorRef color) {
  return {static_cast<float>(color & 0xFF) / 255, static_cast<float>((color >> 8) & 0xFF) / 255,
          static_cast<float>((color >> 16) & 0xFF) / 255, 1};
}

}  // namespace

// ---- Bands -------------------------------------------------------------------------

TSkyDomeBand::TSkyDomeBand(TCollection* collection)
    : TCollectionItem(collection),
      start_color_(std::make_unique<TGLColor>(this, kBlue, [this](TObject*) { Changed(false); })),
      stop_color_(std::make_unique<TGLColor>(this, kBlue, [this](TObject*) { Changed(false); })) {}

// The colours report to this band; they must go while it is still whole.
TSkyDomeBand::~TSkyDomeBand() = default;

void TSkyDomeBand::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TSkyDomeBand*>(source)) {
    start_angle_ = other->start_angle_;
    stop_angle_ = other->stop_angle_;
    start_color_->Assign(other->start_color_.get());
    stop_color_->Assign(other->stop_color_.get());
    slices_ = other->slices_;
    stacks_ = other->stacks_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

std::string TSkyDomeBand::GetDisplayName() const {
  char text[64];
  std::snprintf(text, sizeof text, "%d: %.1f\u00B0 - %.1f\u00B0", Index(), double(start_angle_), double(stop_angle_));
  return text;
}

void TSkyDomeBand::SetStartAngle(float value) {
  start_angle_ = ClampSingle(value, -90, 90);
  if (start_angle_ > stop_angle_) stop_angle_ = start_angle_;
  Changed(false);
}

void TSkyDomeBand::SetStopAngle(float value) {
  stop_angle_ = ClampSingle(value, -90, 90);
  if (stop_angle_ < start_angle_) start_angle_ = stop_angle_;
  Changed(false);
}

void TSkyDomeBand::SetSlices(int value) {
  slices_ = std::max(value, 3);
  Changed(false);
}

void TSkyDomeBand::SetStacks(int value) {
  stacks_ = std::max(value, 1);
  Changed(false);
}

void TSkyDomeBand::BuildList() const {
  if (start_angle_ == stop_angle_) return;
  auto& gl = GL();
  for (int i = 0; i < stacks_; ++i) {
    const float t0 = static_cast<float>(i) / static_cast<float>(stacks_);
    const float t1 = static_cast<float>(i + 1) / static_cast<float>(stacks_);
    const float a0 = start_angle_ + (stop_angle_ - start_angle_) * t0;
    const float a1 = start_angle_ + (stop_angle_ - start_angle_) * t1;
    const TVector4f c0 = VectorLerp(start_color_->Color(), stop_color_->Color(), t0);
    const TVector4f c1 = VectorLerp(start_color_->Color(), stop_color_->Color(), t1);
    const float r0 = DegToRad(a0), r1 = DegToRad(a1);
    if (a0 == -90) {
      gl.glBegin(GL_TRIANGLE_FAN);
      gl.glColor4fv(&c0.x);
      gl.glVertex3f(0, 0, -1);
      gl.glColor4fv(&c1.x);
      for (int k = 0; k <= slices_; ++k) RingVertex(r1, k, slices_);
    } else if (a1 == 90) {
      gl.glBegin(GL_TRIANGLE_FAN);
      gl.glColor4fv(&c1.x);
      gl.glVertex3f(0, 0, 1);
      gl.glColor4fv(&c0.x);
      for (int k = slices_; k >= 0; --k) RingVertex(r0, k, slices_);
    } else {
      gl.glBegin(GL_TRIANGLE_STRIP);
      for (int k = 0; k <= slices_; ++k) {
        gl.glColor4fv(&c0.x);
        RingVertex(r0, k, slices_);
        gl.glColor4fv(&c1.x);
        RingVertex(r1, k, slices_);
      }
    }
    gl.glEnd();
  }
}

TSkyDomeBands::TSkyDomeBands(TPersistent* owner)
    : TOwnedCollection(owner, [] { return std::make_unique<TSkyDomeBand>(); }) {}

void TSkyDomeBands::Update(TCollectionItem*) {
  if (auto* object = dynamic_cast<TGLBaseStageObject*>(GetOwner())) object->StructureChanged();
}

void TSkyDomeBands::BuildList() const {
  for (int i = 0; i < Count(); ++i) Items(i).BuildList();
}

// ---- Stars -------------------------------------------------------------------------

void TSkyDomeStar::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TSkyDomeStar*>(source)) {
    RA = other->RA;
    Dec = other->Dec;
    Magnitude = other->Magnitude;
    Color = other->Color;
    CachedPosition = other->CachedPosition;
    return;
  }
  TCollectionItem::Assign(source);
}

std::string TSkyDomeStar::GetDisplayName() const {
  char text[64];
  std::snprintf(text, sizeof text, "RA: %5.1f / Dec: %5.1f", double(RA), double(Dec));
  return text;
}

TSkyDomeStars::TSkyDomeStars(TPersistent* owner)
    : TOwnedCollection(owner, [] { return std::make_unique<TSkyDomeStar>(); }) {}

void TSkyDomeStars::BuildList(std::minstd_rand* twinkle) {
  if (Count() == 0) return;
  for (int i = 0; i < Count(); ++i) {
    TSkyDomeStar& star = Items(i);
    const float ra = DegToRad(star.RA), dec = DegToRad(star.Dec);
    star.CachedPosition = {std::cos(ra) * std::cos(dec), std::sin(ra) * std::cos(dec), std::sin(dec)};
  }
  auto& gl = GL();
  gl.glPushAttrib(GL_ENABLE_BIT);
  gl.glEnable(GL_POINT_SMOOTH);
  gl.glEnable(GL_ALPHA_TEST);
  gl.glAlphaFunc(GL_NOTEQUAL, 0);
  gl.glEnable(GL_BLEND);
  gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  gl.glBegin(GL_POINTS);
  // Size changes must happen outside begin/end, hence the re-begin; all dim
  // stars share the floor size so they need none.
  constexpr int kFloor = 15;
  int last_size = INT_MIN;
  std::uint32_t last_color = UINT32_MAX;  // never a 24-bit colour
  std::uniform_real_distribution<float> unit(0, 1);
  for (int i = 0; i < Count(); ++i) {
    const TSkyDomeStar& star = Items(i);
    const int size = RoundSingle((4.5f - star.Magnitude) * 10);
    if (size != last_size) {
      if (size > kFloor) {
        gl.glEnd();
        gl.glPointSize(static_cast<float>(size) * 0.1f);
        gl.glBegin(GL_POINTS);
        last_size = size;
      } else if (last_size != kFloor) {
        gl.glEnd();
        gl.glPointSize(1.5f);
        gl.glBegin(GL_POINTS);
        last_size = kFloor;
      }
    }
    if (twinkle || star.Color != last_color) {
      TVector4f color = ColorRefToVector(star.Color);
      if (twinkle) {
        const float factor = 0.4f + 0.6f * unit(*twinkle);
        color.x *= factor, color.y *= factor, color.z *= factor;
      }
      gl.glColor4fv(&color.x);
      last_color = star.Color;
    }
    gl.glVertex3fv(&star.CachedPosition.x);
  }
  gl.glEnd();
  gl.glPointSize(1);
  gl.glPopAttrib();
  gl.glAlphaFunc(GL_GREATER, 0);
}

// ---- Dome --------------------------------------------------------------------------

TGLSkyDome::TGLSkyDome(TComponent* owner)
    : TGLCameraInvariantObject(owner),
      bands_(std::make_unique<TSkyDomeBands>(this)),
      stars_(std::make_unique<TSkyDomeStars>(this)) {
  SetCamInvarianceMode(cimPosition);
  SetObjectStyle(ObjectStyle() | osDirectDraw | osNoVisibilityCulling);
  bands_->BeginUpdate();
  TSkyDomeBand* low = bands_->Add();
  low->SetStopAngle(15);
  low->StartColor().SetColor({1, 1, 1, 1});
  TSkyDomeBand* high = bands_->Add();
  high->SetStopAngle(90);
  high->SetStartAngle(15);
  high->SetStacks(4);
  high->StopColor().SetColor({0.137255f, 0.137255f, 0.556863f, 1});
  bands_->EndUpdate();
}

void TGLSkyDome::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLSkyDome*>(source)) {
    bands_->Assign(other->bands_.get());
    stars_->Assign(other->stars_.get());
  }
  TGLCameraInvariantObject::Assign(source);
}

void TGLSkyDome::SetBands(const TSkyDomeBands& value) {
  bands_->Assign(&value);
  StructureChanged();
}

void TGLSkyDome::SetStars(const TSkyDomeStars& value) {
  stars_->Assign(&value);
  StructureChanged();
}

void TGLSkyDome::SetOptions(TSkyDomeOptions value) {
  StoreOnChange(options_, value, [this] {
    if (options_ & sdoTwinkle) {
      SetObjectStyle(ObjectStyle() | osDirectDraw);
    } else {
      SetObjectStyle(ObjectStyle() & static_cast<TGLObjectStyle>(~osDirectDraw));
      DestroyHandle();
    }
    StructureChanged();
  });
}

void TGLSkyDome::BeginDome(const TRenderContextInfo& rci, float farFraction, bool disableAlphaTest) {
  auto& gl = GL();
  gl.glPushMatrix();
  gl.glPushAttrib(GL_ENABLE_BIT);
  gl.glDisable(GL_LIGHTING);
  gl.glDisable(GL_DEPTH_TEST);
  gl.glDisable(GL_FOG);
  gl.glDisable(GL_CULL_FACE);
  if (disableAlphaTest) gl.glDisable(GL_ALPHA_TEST);
  gl.glDepthMask(GL_FALSE);
  const float f = rci.rcci.farClippingDistance * farFraction;
  gl.glScalef(f, f, f);
}

void TGLSkyDome::EndDome() {
  auto& gl = GL();
  gl.glDepthMask(GL_TRUE);
  gl.glPopAttrib();
  gl.glPopMatrix();
}

void TGLSkyDome::DrawBandsAndStars() {
  bands_->BuildList();
  stars_->BuildList(options_ & sdoTwinkle ? &twinkle_random_ : nullptr);
}

void TGLSkyDome::BuildList(TRenderContextInfo& rci) {
  BeginDome(rci, 0.9f, false);
  DrawBandsAndStars();
  EndDome();
}
