// A mirror of part of one context's GL state (capabilities, material colours,
// polygon modes, bound textures, texture matrix, front face) that calls GL only
// when a requested value differs. State changed behind its back needs the
// matching reset, or the mirror goes stale.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>

#include "gfx3d/math/vector_types.h"

enum TGLState : std::uint8_t {
  stAlphaTest,
  stAutoNormal,
  stBlend,
  stColorMaterial,
  stCullFace,
  stDepthTest,
  stDither,
  stFog,
  stLighting,
  stLineSmooth,
  stLineStipple,
  stLogicOp,
  stNormalize,
  stPointSmooth,
  stPolygonSmooth,
  stPolygonStipple,
  stScissorTest,
  stStencilTest,
  stTexture1D,
  stTexture2D,
  stTextureCubeMap,
  stTextureRect,
};
constexpr int kGLStateCount = 22;

// The GL capability each state stands for.
GLenum GLStateToGLEnum(TGLState state);

class TGLStateCache {
 public:
  static constexpr int kTextureUnits = 8;

  // All states off, modes and names unset; no GL call. The owner calls ResetAll once current.
  TGLStateCache() = default;

  bool IsEnabled(TGLState state) const { return (states_ >> state) & 1u; }
  void Enable(TGLState state);
  void Disable(TGLState state);

  // face GL_FRONT, GL_BACK or GL_FRONT_AND_BACK; other faces are ignored.
  void SetGLPolygonMode(GLenum face, GLenum mode);
  void ResetGLPolygonMode() { polygon_mode_ = {0, 0}; }

  // face GL_FRONT or GL_BACK. Emission, ambient and specular compare on RGB, diffuse on RGBA.
  void SetGLMaterialColors(GLenum face, const TVector4f& emission, const TVector4f& ambient, const TVector4f& diffuse,
                           const TVector4f& specular, int shininess);
  void SetGLMaterialAlphaChannel(GLenum face, float alpha);
  // Sends GL's default material and makes every stored colour unmatchable.
  void ResetGLMaterialColors();

  // Raises ELibraryError for a unit (from 0) beyond the kTextureUnits mirrored.
  static void CheckTextureUnit(int unit);
  // The caller has selected the texture unit; one beyond kTextureUnits raises ELibraryError.
  void SetGLCurrentTexture(int unit, GLenum target, GLuint name);
  void ResetGLCurrentTexture() { bound_textures_.fill(~0u); }

  void SetGLTextureMatrix(const TMatrix4f& matrix);
  void ResetGLTextureMatrix();

  void InvertGLFrontFace();
  void ResetGLFrontFace();
  bool FrontFaceCCW() const { return front_face_ccw_; }

  // Polygon modes, material colours, bound textures and front face; enable set and texture matrix stay.
  void ResetAll();

 private:
  struct FaceColors {
    TVector4f emission, ambient, diffuse, specular;
  };
  static int FaceIndex(GLenum face) { return face == GL_BACK ? 1 : 0; }

  std::array<FaceColors, 2> colors_{};
  std::array<int, 2> shininess_{};
  std::uint32_t states_ = 0;
  std::array<GLuint, kTextureUnits> bound_textures_{};
  std::array<GLenum, 2> polygon_mode_{};
  bool front_face_ccw_ = true;
  bool texture_matrix_is_identity_ = true;
};
