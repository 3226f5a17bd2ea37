#include "scene3d/objects/frustum.h"

#include <cmath>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/graph/change_setters.h"

namespace {

struct TexturedVertex {
  float s, t, x, y, z;
};

void Face(const float (&normal)[3], const TexturedVertex (&corners)[4]) {
  auto& gl = GL();
  gl.glNormal3fv(normal);
  for (const TexturedVertex& v : corners) {
    xglTexCoord2f(v.s, v.t);
    gl.glVertex3f(v.x, v.y, v.z);
  }
}

}  // namespace

void TGLFrustrum::DefineProperties(TPropertyDefiner& definer) {
  TGLStageObject::DefineProperties(definer);
  definer.DefineBinaryProperty(
      "FrustrumSize",
      [this](TStream& stream) {
        float sizes[4];
        stream.ReadBuffer(sizes, sizeof sizes);
        apex_height_ = sizes[0];
        base_depth_ = sizes[1];
        base_width_ = sizes[2];
        height_ = sizes[3];
      },
      [this](TStream& stream) {
        const float sizes[4] = {apex_height_, base_depth_, base_width_, height_};
        stream.WriteBuffer(sizes, sizeof sizes);
      },
      apex_height_ != 1 || base_depth_ != 1 || base_width_ != 1 || height_ != 0.5f);
}

void TGLFrustrum::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLFrustrum*>(source)) {
    apex_height_ = other->apex_height_;
    base_depth_ = other->base_depth_;
    base_width_ = other->base_width_;
    height_ = other->height_;
    parts_ = other->parts_;
    normal_direction_ = other->normal_direction_;
  }
  TGLStageObject::Assign(source);
}

void TGLFrustrum::SetApexHeight(float value) {
  if (value < 0) return;
  StoreOnChange(apex_height_, value, [this] {
    if (height_ > apex_height_) height_ = apex_height_;
    StructureChanged();
  });
}

void TGLFrustrum::SetHeight(float value) {
  if (value < 0) return;
  StoreOnChange(height_, value, [this] {
    if (apex_height_ < height_) apex_height_ = height_;
    StructureChanged();
  });
}

void TGLFrustrum::SetBaseDepth(float value) {
  if (value >= 0) StoreOnChange(base_depth_, value, [this] { StructureChanged(); });
}
void TGLFrustrum::SetBaseWidth(float value) {
  if (value >= 0) StoreOnChange(base_width_, value, [this] { StructureChanged(); });
}
void TGLFrustrum::SetParts(TFrustrumParts value) {
  StoreOnChange(parts_, value, [this] { StructureChanged(); });
}
void TGLFrustrum::SetNormalDirection(TNormalDirection value) {
  StoreOnChange(normal_direction_, value, [this] { StructureChanged(); });
}

TVector4f TGLFrustrum::AxisAlignedDimensionsUnscaled() {
  return {0.5f * base_width_, 0.5f * height_, 0.5f * base_depth_, 0};
}

void TGLFrustrum::BuildList(TRenderContextInfo&) {
  const float d = normal_direction_ == ndOutside ? 1.0f : -1.0f;
  const float w = 0.5f * base_width_, e = 0.5f * base_depth_, h = height_;
  auto& gl = GL();
  gl.glBegin(GL_QUADS);
  // A pyramid of no height has no sides and no cut: only its base is drawn.
  if (apex_height_ > 0) {
    const float tw = (apex_height_ - h) * w / apex_height_, te = (apex_height_ - h) * e / apex_height_;
    if (parts_ & (fpFront | fpBack)) {
      const float a = std::atan(apex_height_ / e), c = d * std::cos(a), s = d * std::sin(a);
      if (parts_ & fpFront) Face({0, c, s}, {{1, 1, tw, h, te}, {0, 1, -tw, h, te}, {0, 0, -w, 0, e}, {1, 0, w, 0, e}});
      if (parts_ & fpBack)
        Face({0, c, -s}, {{0, 1, tw, h, -te}, {0, 0, w, 0, -e}, {1, 0, -w, 0, -e}, {1, 1, -tw, h, -te}});
    }
    if (parts_ & (fpLeft | fpRight)) {
      const float b = std::atan(apex_height_ / w), c = d * std::cos(b), s = d * std::sin(b);
      if (parts_ & fpLeft)
        Face({-s, c, 0}, {{1, 1, -tw, h, te}, {0, 1, -tw, h, -te}, {0, 0, -w, 0, -e}, {1, 0, -w, 0, e}});
      if (parts_ & fpRight) Face({s, c, 0}, {{0, 1, tw, h, te}, {0, 0, w, 0, e}, {1, 0, w, 0, -e}, {1, 1, tw, h, -te}});
    }
    if ((parts_ & fpTop) && h < apex_height_)
      Face({0, d, 0}, {{0, 1, -tw, h, -te}, {0, 0, -tw, h, te}, {1, 0, tw, h, te}, {1, 1, tw, h, -te}});
  }
  if (parts_ & fpBottom) Face({0, -d, 0}, {{0, 0, -w, 0, -e}, {1, 0, w, 0, -e}, {1, 1, w, 0, e}, {0, 1, -w, 0, e}});
  gl.glEnd();
}
