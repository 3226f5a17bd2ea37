#include "scene3d/lines/points.h"

#include <GL/glext.h>

#include <algorithm>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/graph/change_setters.h"

namespace {

// Beyond this many points, locking the arrays lets the driver transform them once.
constexpr int kLockThreshold = 64;

bool PointParametersSupported() { return GLFlags().ARB_point_parameters && GL().glPointParameterfARB; }

}  // namespace

TGLPointParameters::TGLPointParameters(TPersistent* owner) : TGLUpdateAbleObject(owner), distance_attenuation_(this) {
  distance_attenuation_.SetStyle(csVector);
  distance_attenuation_.Initialize({1, 0, 0, 0});
}

void TGLPointParameters::DefineProperties(TPropertyDefiner& definer) {
  TGLUpdateAbleObject::DefineProperties(definer);
  definer.DefineBinaryProperty(
      "PointParams",
      [this](TStream& stream) {
        float sizes[3];
        stream.ReadBuffer(sizes, sizeof sizes);
        min_size_ = sizes[0];
        max_size_ = sizes[1];
        fade_treshold_size_ = sizes[2];
      },
      [this](TStream& stream) {
        const float sizes[3] = {min_size_, max_size_, fade_treshold_size_};
        stream.WriteBuffer(sizes, sizeof sizes);
      },
      min_size_ != 0 || max_size_ != 128 || fade_treshold_size_ != 1);
}

void TGLPointParameters::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLPointParameters*>(source)) {
    min_size_ = other->min_size_;
    max_size_ = other->max_size_;
    fade_treshold_size_ = other->fade_treshold_size_;
    distance_attenuation_.Assign(&other->distance_attenuation_);
  }
}

void TGLPointParameters::SetEnabled(bool value) {
  StoreOnChange(enabled_, value, [this] { NotifyChange(this); });
}
void TGLPointParameters::StoreSize(float& field, float value) {
  StoreOnChange(field, std::max(value, 0.0f), [this] { NotifyChange(this); });
}
void TGLPointParameters::SetMinSize(float value) { StoreSize(min_size_, value); }
void TGLPointParameters::SetMaxSize(float value) { StoreSize(max_size_, value); }
void TGLPointParameters::SetFadeTresholdSize(float value) { StoreSize(fade_treshold_size_, value); }

void TGLPointParameters::Apply() const {
  if (!enabled_ || !PointParametersSupported()) return;
  auto& gl = GL();
  gl.glPointParameterfARB(GL_POINT_SIZE_MIN_ARB, min_size_);
  gl.glPointParameterfARB(GL_POINT_SIZE_MAX_ARB, max_size_);
  gl.glPointParameterfARB(GL_POINT_FADE_THRESHOLD_SIZE_ARB, fade_treshold_size_);
  gl.glPointParameterfvARB(GL_POINT_DISTANCE_ATTENUATION_ARB, &distance_attenuation_.AsVector().x);
}

void TGLPointParameters::UnApply() const {
  if (!enabled_ || !PointParametersSupported()) return;
  auto& gl = GL();
  gl.glPointParameterfARB(GL_POINT_SIZE_MIN_ARB, 0);
  gl.glPointParameterfARB(GL_POINT_SIZE_MAX_ARB, 128);
  gl.glPointParameterfARB(GL_POINT_FADE_THRESHOLD_SIZE_ARB, 1);
  static constexpr GLfloat kNoAttenuation[3] = {1, 0, 0};
  gl.glPointParameterfvARB(GL_POINT_DISTANCE_ATTENUATION_ARB, kNoAttenuation);
}

TGLPoints::TGLPoints(TComponent* owner)
    : TGLImmaterialStageObject(owner), point_parameters_(std::make_unique<TGLPointParameters>(this)) {
  SetObjectStyle(ObjectStyle() | osDirectDraw | osNoVisibilityCulling);
}

TGLPoints::~TGLPoints() = default;

void TGLPoints::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLPoints*>(source)) {
    size_ = other->size_;
    style_ = other->style_;
    positions_.Assign(&other->positions_);
    colors_.Assign(&other->colors_);
    StructureChanged();
  }
  TGLImmaterialStageObject::Assign(source);
}

void TGLPoints::SetPositions(const TAffineVectorList& value) {
  positions_.Assign(&value);
  StructureChanged();
}
void TGLPoints::SetColors(const TVectorList& value) {
  colors_.Assign(&value);
  StructureChanged();
}
void TGLPoints::SetSize(float value) {
  StoreOnChange(size_, value, [this] { StructureChanged(); });
}
void TGLPoints::SetStyle(TGLPointStyle value) {
  StoreOnChange(style_, value, [this] { StructureChanged(); });
}
void TGLPoints::SetNoZWrite(bool value) {
  StoreOnChange(no_z_write_, value, [this] { StructureChanged(); });
}
void TGLPoints::SetStatic(bool value) {
  StoreOnChange(static_, value, [this] {
    if (static_)
      SetObjectStyle(ObjectStyle() & static_cast<TGLObjectStyle>(~osDirectDraw));
    else
      SetObjectStyle(ObjectStyle() | osDirectDraw);
    StructureChanged();
  });
}

void TGLPoints::BuildList(TRenderContextInfo&) {
  auto& gl = GL();
  int n = positions_.Count();
  const int colors = colors_.Count();
  if (colors == 0) {
    gl.glColor4f(1, 1, 1, 1);
  } else if (colors == 1) {
    gl.glColor4fv(&colors_.List()[0].x);
  } else {
    gl.glColorPointer(4, GL_FLOAT, 0, colors_.List());
    gl.glEnableClientState(GL_COLOR_ARRAY);
    n = std::min(n, colors);
  }
  gl.glPushAttrib(GL_ENABLE_BIT);
  gl.glDisable(GL_LIGHTING);
  if (positions_.Count() == 0) {
    n = 1;  // one point at the origin
  } else {
    gl.glVertexPointer(3, GL_FLOAT, 0, positions_.List());
    gl.glEnableClientState(GL_VERTEX_ARRAY);
  }
  if (no_z_write_) gl.glDepthMask(GL_FALSE);
  gl.glPointSize(size_);
  point_parameters_->Apply();
  const bool locked = GLFlags().EXT_compiled_vertex_array && gl.glLockArraysEXT && n > kLockThreshold;
  if (locked) gl.glLockArraysEXT(0, n);
  switch (style_) {
    case psSquare:
      gl.glDisable(GL_BLEND);
      break;
    case psRound:
      gl.glEnable(GL_POINT_SMOOTH);
      gl.glEnable(GL_ALPHA_TEST);
      gl.glAlphaFunc(GL_GREATER, 0.5f);
      gl.glDisable(GL_BLEND);
      break;
    case psSmooth:
    case psSmoothAdditive:
      gl.glEnable(GL_POINT_SMOOTH);
      gl.glEnable(GL_ALPHA_TEST);
      gl.glAlphaFunc(GL_NOTEQUAL, 0);
      gl.glEnable(GL_BLEND);
      gl.glBlendFunc(GL_SRC_ALPHA, style_ == psSmooth ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
      break;
    case psSquareAdditive:
      gl.glEnable(GL_BLEND);
      gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
  }
  if (positions_.Count() == 0) {
    // Without positions there is no array to draw from.
    gl.glBegin(GL_POINTS);
    gl.glVertex3f(0, 0, 0);
    gl.glEnd();
  } else {
    gl.glDrawArrays(GL_POINTS, 0, n);
  }
  if (locked) gl.glUnlockArraysEXT();
  point_parameters_->UnApply();
  if (no_z_write_) gl.glDepthMask(GL_TRUE);
  gl.glDisableClientState(GL_VERTEX_ARRAY);
  if (colors > 1) gl.glDisableClientState(GL_COLOR_ARRAY);
  gl.glPopAttrib();
  gl.glAlphaFunc(GL_GREATER, 0);
}
