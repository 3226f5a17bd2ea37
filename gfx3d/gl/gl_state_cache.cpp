#include "gfx3d/gl/gl_state_cache.h"

#include <cstring>
#include <string>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"

namespace {

constexpr GLenum kStateEnums[kGLStateCount] = {GL_ALPHA_TEST,
                                               GL_AUTO_NORMAL,
                                               GL_BLEND,
                                               GL_COLOR_MATERIAL,
                                               GL_CULL_FACE,
                                               GL_DEPTH_TEST,
                                               GL_DITHER,
                                               GL_FOG,
                                               GL_LIGHTING,
                                               GL_LINE_SMOOTH,
                                               GL_LINE_STIPPLE,
                                               GL_INDEX_LOGIC_OP,
                                               GL_NORMALIZE,
                                               GL_POINT_SMOOTH,
                                               GL_POLYGON_SMOOTH,
                                               GL_POLYGON_STIPPLE,
                                               GL_SCISSOR_TEST,
                                               GL_STENCIL_TEST,
                                               GL_TEXTURE_1D,
                                               GL_TEXTURE_2D,
                                               GL_TEXTURE_CUBE_MAP_ARB,
                                               0x84F5 /* GL_TEXTURE_RECTANGLE_NV */};

bool DiffersRGB(const TVector4f& a, const TVector4f& b) { return a.x != b.x || a.y != b.y || a.z != b.z; }
bool DiffersRGBA(const TVector4f& a, const TVector4f& b) { return DiffersRGB(a, b) || a.w != b.w; }

void SendIfChanged(GLenum face, GLenum name, TVector4f& stored, const TVector4f& wanted, bool changed) {
  if (!changed) return;
  stored = wanted;
  GL().glMaterialfv(face, name, &stored.x);
}

void LoadTextureMatrix(const GLfloat* matrix) {
  GL().glMatrixMode(GL_TEXTURE);
  GL().glLoadMatrixf(matrix);
  GL().glMatrixMode(GL_MODELVIEW);
}

}  // namespace

GLenum GLStateToGLEnum(TGLState state) { return kStateEnums[state]; }

void TGLStateCache::Enable(TGLState state) {
  if (IsEnabled(state)) return;
  states_ |= 1u << state;
  GL().glEnable(kStateEnums[state]);
}

void TGLStateCache::Disable(TGLState state) {
  if (!IsEnabled(state)) return;
  states_ &= ~(1u << state);
  GL().glDisable(kStateEnums[state]);
}

void TGLStateCache::SetGLPolygonMode(GLenum face, GLenum mode) {
  switch (face) {
    case GL_FRONT:
    case GL_BACK: {
      GLenum& stored = polygon_mode_[static_cast<std::size_t>(FaceIndex(face))];
      if (stored == mode) return;
      stored = mode;
      break;
    }
    case GL_FRONT_AND_BACK:
      if (polygon_mode_[0] == mode && polygon_mode_[1] == mode) return;
      polygon_mode_ = {mode, mode};
      break;
    default:
      return;
  }
  GL().glPolygonMode(face, mode);
}

void TGLStateCache::SetGLMaterialColors(GLenum face, const TVector4f& emission, const TVector4f& ambient,
                                        const TVector4f& diffuse, const TVector4f& specular, int shininess) {
  const int index = FaceIndex(face);
  int& stored_shininess = shininess_[static_cast<std::size_t>(index)];
  if (stored_shininess != shininess) {
    stored_shininess = shininess;
    GL().glMateriali(face, GL_SHININESS, shininess);
  }
  FaceColors& stored = colors_[static_cast<std::size_t>(index)];
  SendIfChanged(face, GL_EMISSION, stored.emission, emission, DiffersRGB(stored.emission, emission));
  SendIfChanged(face, GL_AMBIENT, stored.ambient, ambient, DiffersRGB(stored.ambient, ambient));
  SendIfChanged(face, GL_DIFFUSE, stored.diffuse, diffuse, DiffersRGBA(stored.diffuse, diffuse));
  SendIfChanged(face, GL_SPECULAR, stored.specular, specular, DiffersRGB(stored.specular, specular));
}

void TGLStateCache::SetGLMaterialAlphaChannel(GLenum face, float alpha) {
  TVector4f& diffuse = colors_[static_cast<std::size_t>(FaceIndex(face))].diffuse;
  if (diffuse.w == alpha) return;
  diffuse.w = alpha;
  GL().glMaterialfv(face, GL_DIFFUSE, &diffuse.x);
}

void TGLStateCache::ResetGLMaterialColors() {
  static constexpr GLfloat kAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  static constexpr GLfloat kDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  static constexpr GLfloat kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  GL().glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kAmbient);
  GL().glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kDiffuse);
  GL().glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kBlack);
  GL().glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, kBlack);
  GL().glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, 0);
  // Bytes of 0x7F make a float no real colour equals, so the next set always reaches GL.
  std::memset(static_cast<void*>(colors_.data()), 0x7F, sizeof colors_);
  shininess_ = {0, 0};
}

void TGLStateCache::CheckTextureUnit(int unit) {
  // The unit comes from the driver's count or a library archive, neither bounded by the mirror.
  if (unit < 0 || unit >= kTextureUnits)
    throw ELibraryError("Texture unit " + std::to_string(unit) + " is beyond the " + std::to_string(kTextureUnits) +
                        " units the state cache mirrors");
}

void TGLStateCache::SetGLCurrentTexture(int unit, GLenum target, GLuint name) {
  CheckTextureUnit(unit);
  GLuint& stored = bound_textures_[static_cast<std::size_t>(unit)];
  if (stored == name) return;
  stored = name;
  GL().glBindTexture(target, name);
}

void TGLStateCache::SetGLTextureMatrix(const TMatrix4f& matrix) {
  texture_matrix_is_identity_ = false;
  LoadTextureMatrix(&matrix[0].x);
}

void TGLStateCache::ResetGLTextureMatrix() {
  if (texture_matrix_is_identity_) return;
  static constexpr GLfloat kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  LoadTextureMatrix(kIdentity);
  texture_matrix_is_identity_ = true;
}

void TGLStateCache::InvertGLFrontFace() {
  front_face_ccw_ = !front_face_ccw_;
  GL().glFrontFace(front_face_ccw_ ? GL_CCW : GL_CW);
}

void TGLStateCache::ResetGLFrontFace() {
  GL().glFrontFace(GL_CCW);
  front_face_ccw_ = true;
}

void TGLStateCache::ResetAll() {
  ResetGLPolygonMode();
  ResetGLMaterialColors();
  ResetGLCurrentTexture();
  ResetGLFrontFace();
}
