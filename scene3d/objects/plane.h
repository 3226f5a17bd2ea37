// A flat rectangle in the object's local XY plane, facing +Z, drawn as one
// quad or as a grid of tiles so a texture can repeat across it.
#pragma once

#include <cstdint>

#include "scene3d/graph/stage_object.h"

enum TPlaneStyleFlag : std::uint8_t { psSingleQuad = 1, psTileTexture = 2 };
using TPlaneStyle = std::uint8_t;

class TGLPlane : public TGLStageObject {
 public:
  explicit TGLPlane(TComponent* owner);
  std::string ClassName() const override { return "TGLPlane"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLPlane>(owner);
  }
  // Width and Height only.
  void Assign(const TPersistent* source) override;

  float XOffset() const { return x_offset_; }
  void SetXOffset(float value);
  float YOffset() const { return y_offset_; }
  void SetYOffset(float value);
  float XScope() const { return x_scope_; }
  // Clamped to at most 1.
  void SetXScope(float value);
  float YScope() const { return y_scope_; }
  void SetYScope(float value);
  float Width() const { return width_; }
  void SetWidth(float value);
  float Height() const { return height_; }
  void SetHeight(float value);
  std::uint32_t XTiles() const { return x_tiles_; }
  void SetXTiles(std::uint32_t value);
  std::uint32_t YTiles() const { return y_tiles_; }
  void SetYTiles(std::uint32_t value);
  TPlaneStyle Style() const { return style_; }
  void SetStyle(TPlaneStyle value);
  bool NoZWrite = false;

  TVector4f AxisAlignedDimensionsUnscaled() override;
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters& parameters) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  void BuildGrid(float s0, float s1, float t0, float t1) const;

  float x_offset_ = 0, y_offset_ = 0;
  float x_scope_ = 1, y_scope_ = 1;
  float width_ = 1, height_ = 1;
  std::uint32_t x_tiles_ = 1, y_tiles_ = 1;
  TPlaneStyle style_ = psSingleQuad | psTileTexture;
};
