#include "scene3d/lines/xyz_grid.h"

#include <array>
#include <vector>

#include "gfx3d/gl/gl_binding.h"
#include "scene3d/graph/change_setters.h"

namespace {

// The sample values of one axis; the count limit stops a step too small to
// move the value from looping for ever.
std::vector<float> SampleValues(const TGLSamplingScale::Sampling& sampling) {
  std::vector<float> values;
  for (float v = sampling.base; v <= sampling.max && static_cast<int>(values.size()) < sampling.limit;
       v += sampling.step)
    values.push_back(v);
  return values;
}

}  // namespace

TGLXYZGrid::TGLXYZGrid(TComponent* owner)
    : TGLLineBase(owner),
      x_scale_(std::make_unique<TGLSamplingScale>(this)),
      y_scale_(std::make_unique<TGLSamplingScale>(this)),
      z_scale_(std::make_unique<TGLSamplingScale>(this)) {}

TGLXYZGrid::~TGLXYZGrid() = default;

void TGLXYZGrid::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLXYZGrid*>(source)) {
    x_scale_->Assign(other->x_scale_.get());
    y_scale_->Assign(other->y_scale_.get());
    z_scale_->Assign(other->z_scale_.get());
    parts_ = other->parts_;
    lines_style_ = other->lines_style_;
  }
  TGLLineBase::Assign(source);
}

void TGLXYZGrid::NotifyChange(TObject* sender) {
  if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
  TGLLineBase::NotifyChange(sender);
}

void TGLXYZGrid::SetParts(TXYZGridParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}

void TGLXYZGrid::SetLinesStyle(TXYZGridLinesStyle value) {
  StoreOnChange(lines_style_, value, [this] { StructureChanged(); });
}

void TGLXYZGrid::BuildList(TRenderContextInfo&) {
  SetupLineStyle();
  const std::array<TGLSamplingScale*, 3> scales{x_scale_.get(), y_scale_.get(), z_scale_.get()};
  const std::array<TXYZGridPartFlag, 3> flags{gpX, gpY, gpZ};
  std::array<std::vector<float>, 3> samples;
  for (int axis = 0; axis < 3; ++axis) samples[axis] = SampleValues(scales[axis]->SetupSampling(parts_ & flags[axis]));
  auto& gl = GL();
  // Lines along `axis`, one through every sample pair of the other two axes.
  for (int axis = 0; axis < 3; ++axis) {
    if (!(parts_ & flags[axis])) continue;
    const int u = axis == 0 ? 1 : 0, w = axis == 2 ? 1 : 2;
    const std::vector<float> along =
        lines_style_ == glsLine ? std::vector<float>{scales[axis]->Min(), scales[axis]->Max()} : samples[axis];
    for (const float a : samples[u])
      for (const float b : samples[w]) {
        gl.glBegin(GL_LINE_STRIP);
        for (const float t : along) {
          float p[3];
          p[axis] = t, p[u] = a, p[w] = b;
          gl.glVertex3fv(p);
        }
        gl.glEnd();
      }
  }
  RestoreLineStyle();
}
