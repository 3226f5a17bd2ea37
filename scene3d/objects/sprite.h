// A rectangle that always faces the viewer: its corners are taken from the
// current modelview's right and up axes every frame.
#pragma once

#include "scene3d/graph/stage_object.h"

class TGLSprite : public TGLStageObject {
 public:
  explicit TGLSprite(TComponent* owner);
  std::string ClassName() const override { return "TGLSprite"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLSprite>(owner);
  }
  // Sizes, rotation, alpha and NoZWrite; the mirror flags stay.
  void Assign(const TPersistent* source) override;

  float Width() const { return width_; }
  void SetWidth(float value);
  float Height() const { return height_; }
  void SetHeight(float value);
  // Degrees about the viewing axis.
  float Rotation() const { return rotation_; }
  void SetRotation(float value);
  float AlphaChannel() const { return alpha_channel_; }
  // Clamped to [0, 1].
  void SetAlphaChannel(float value);
  bool NoZWrite() const { return no_z_write_; }
  void SetNoZWrite(bool value);
  bool MirrorU() const { return mirror_u_; }
  void SetMirrorU(bool value);
  bool MirrorV() const { return mirror_v_; }
  void SetMirrorV(bool value);

  TVector4f AxisAlignedDimensionsUnscaled() override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float width_ = 1, height_ = 1, rotation_ = 0, alpha_channel_ = 1;
  bool no_z_write_ = false, mirror_u_ = false, mirror_v_ = false;
};
