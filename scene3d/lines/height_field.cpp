#include "scene3d/lines/height_field.h"

#include <cmath>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/change_setters.h"

// ---- Sampling scale ------------------------------------------------------------

void TGLSamplingScale::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLSamplingScale*>(source)) {
    min_ = other->min_;
    max_ = other->max_;
    origin_ = other->origin_;
    step_ = other->step_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLSamplingScale::SetMin(float value) {
  min_ = value;
  if (max_ < min_) max_ = min_;
  NotifyChange(this);
}
void TGLSamplingScale::SetMax(float value) {
  max_ = value;
  if (min_ > max_) min_ = max_;
  NotifyChange(this);
}
void TGLSamplingScale::SetOrigin(float value) {
  origin_ = value;
  NotifyChange(this);
}
void TGLSamplingScale::SetStep(float value) {
  step_ = value > 0 ? value : 1.0f;
  NotifyChange(this);
}

float TGLSamplingScale::FirstSample() const {
  if (origin_ == min_) return min_;
  const float q = (origin_ - min_) / step_;
  const float k = q >= 0 ? std::trunc(q) : std::trunc(q) - 1;
  return origin_ - step_ * k;
}

int TGLSamplingScale::MaxSampleCount() const { return RoundSingle((max_ - min_) / step_ + 0.5f); }

TGLSamplingScale::Sampling TGLSamplingScale::SetupSampling(bool enabled) const {
  if (!enabled) return {origin_, step_, origin_, 1};
  const float base = FirstSample();
  // A last sample lying on Max must not be lost to rounding; a step below the
  // floats' resolution must not loop for ever.
  return {base, step_, max_ + (max_ - base) / step_ * 1e-6f, MaxSampleCount() + 1};
}

// ---- Height field ----------------------------------------------------------------

TGLHeightField::TGLHeightField(TComponent* owner)
    : TGLStageObject(owner),
      x_scale_(std::make_unique<TGLSamplingScale>(this)),
      y_scale_(std::make_unique<TGLSamplingScale>(this)) {
  SetObjectStyle(ObjectStyle() | osResetStatesAfterRender);
}

TGLHeightField::~TGLHeightField() = default;

void TGLHeightField::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLHeightField*>(source)) {
    x_scale_->Assign(other->x_scale_.get());
    y_scale_->Assign(other->y_scale_.get());
    on_get_height_ = other->on_get_height_;
    options_ = other->options_;
    color_mode_ = other->color_mode_;
    return;
  }
  TGLStageObject::Assign(source);
}

void TGLHeightField::NotifyChange(TObject* sender) {
  if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
  TGLStageObject::NotifyChange(sender);
}

void TGLHeightField::SetOptions(THeightFieldOptions value) {
  StoreOnChange(options_, value, [this] { StructureChanged(); });
}
void TGLHeightField::SetColorMode(THeightFieldColorMode value) {
  StoreOnChange(color_mode_, value, [this] { StructureChanged(); });
}
void TGLHeightField::SetOnGetHeight(THeightFieldGetHeightEvent value) {
  on_get_height_ = std::move(value);
  StructureChanged();
}
void TGLHeightField::SetOnGetHeight2(THeightFieldGetHeight2Event value) {
  on_get_height2_ = std::move(value);
  StructureChanged();
}

void TGLHeightField::Height(float x, float y, Sample& sample) {
  sample.tex = {x, y};
  sample.color = {0, 0, 0, 0};  // a function that sets no colour gets none, not a neighbour's
  if (on_get_height_) {
    on_get_height_(x, y, sample.z, sample.color, sample.tex);
  } else if (on_get_height2_) {
    on_get_height2_(this, x, y, sample.z, sample.color, sample.tex);
  } else {
    const float r = x * x + y * y;
    sample.z = std::cos(12 * r) / ((6.28f * r + 1) * 2);
    sample.color = {0.8f, 0.8f, 0.8f, 1};
  }
}

namespace {

// The mean of the one-sided differences that exist: a sum would double the
// inner slopes and put a seam in the shading of a plane.
float MeanSlope(bool hasBefore, float before, bool hasAfter, float after) {
  const int count = int(hasBefore) + int(hasAfter);
  return count == 0 ? 0 : ((hasBefore ? before : 0) + (hasAfter ? after : 0)) / static_cast<float>(count);
}

}  // namespace

void TGLHeightField::BuildList(TRenderContextInfo& rci) {
  drawn_triangle_count_ = 0;
  if (!x_scale_->HasRange() || !y_scale_->HasRange()) return;
  auto& gl = GL();
  const TGLSamplingScale::Sampling xs = x_scale_->SetupSampling(true), ys = y_scale_->SetupSampling(true);
  const float x0 = xs.base, dx = xs.step, dy = ys.step;
  const bool pushed = (options_ & hfoTwoSided) || color_mode_ != hfcmNone;
  if (pushed) gl.glPushAttrib(GL_ENABLE_BIT);
  if (options_ & hfoTwoSided) {
    gl.glDisable(GL_CULL_FACE);
    static constexpr GLenum kModes[] = {GL_FILL, GL_LINE, GL_POINT};
    rci.GLStates->SetGLPolygonMode(GL_FRONT_AND_BACK, kModes[Material().FrontProperties().PolygonMode()]);
  }
  if (color_mode_ != hfcmNone) {
    static constexpr GLenum kColorModes[] = {GL_AMBIENT_AND_DIFFUSE, GL_EMISSION, GL_AMBIENT, GL_DIFFUSE,
                                             GL_AMBIENT_AND_DIFFUSE};
    gl.glEnable(GL_COLOR_MATERIAL);
    gl.glColorMaterial(GL_FRONT_AND_BACK, kColorModes[color_mode_]);
    rci.GLStates->ResetGLMaterialColors();
  }
  std::vector<Sample> rows[3];
  float row_y[3] = {0, 0, 0};
  int n = 0, r = 0;
  // The normals of row `mid`, with the rows before and after when they exist.
  const auto normals = [&](int mid, bool hasBefore, bool hasAfter) {
    std::vector<Sample>& row = rows[mid % 3];
    for (int i = 0; i < n; ++i) {
      const float z = row[i].z;
      const float gx =
          MeanSlope(i > 0, i > 0 ? (row[i - 1].z - z) / dx : 0, i < n - 1, i < n - 1 ? (z - row[i + 1].z) / dx : 0);
      const float gy = MeanSlope(hasBefore, hasBefore ? (rows[(mid + 2) % 3][i].z - z) / dy : 0, hasAfter,
                                 hasAfter ? (z - rows[(mid + 1) % 3][i].z) / dy : 0);
      row[i].normal = AffineVectorNormalize({gx, gy, 1});
    }
  };
  float y = ys.base;
  for (; y <= ys.max && r < ys.limit; y += dy, ++r) {
    std::vector<Sample>& row = rows[r % 3];
    row.clear();
    row_y[r % 3] = y;
    int i = 0;
    for (float x = x0; x <= xs.max && i < xs.limit; x += dx, ++i) {
      row.push_back({});
      Height(x, y, row.back());
    }
    n = static_cast<int>(row.size());
    if (r >= 1) normals(r - 1, r >= 2, true);
    if (r >= 2) DrawStrip(rows[(r - 2) % 3], rows[(r - 1) % 3], x0, dx, row_y[(r - 2) % 3], row_y[(r - 1) % 3]);
  }
  if (r >= 1) normals(r - 1, r >= 2, false);
  if (r >= 2) DrawStrip(rows[(r - 2) % 3], rows[(r - 1) % 3], x0, dx, row_y[(r - 2) % 3], row_y[(r - 1) % 3]);
  drawn_triangle_count_ = r >= 2 && n >= 2 ? 2 * (r - 1) * (n - 1) : 0;
  if (pushed) gl.glPopAttrib();
}

void TGLHeightField::DrawStrip(const std::vector<Sample>& a, const std::vector<Sample>& b, float x0, float dx, float ya,
                               float yb) const {
  auto& gl = GL();
  const auto send = [&](const Sample& s, float x, float y) {
    gl.glNormal3fv(&s.normal.x);
    if (color_mode_ != hfcmNone) gl.glColor4fv(&s.color.x);
    if (options_ & hfoTextureCoordinates) xglTexCoord2fv(&s.tex.S);
    gl.glVertex4f(x, y, s.z, 1);
  };
  const int n = static_cast<int>(a.size());
  gl.glBegin(GL_TRIANGLE_STRIP);
  send(b[0], x0, yb);
  for (int i = 0; i + 1 < n; ++i) {
    send(a[i], x0 + static_cast<float>(i) * dx, ya);
    send(b[i + 1], x0 + static_cast<float>(i + 1) * dx, yb);
  }
  send(a[n - 1], x0 + static_cast<float>(n - 1) * dx, ya);
  gl.glEnd();
}
