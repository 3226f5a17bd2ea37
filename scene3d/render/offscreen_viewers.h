// Viewers without a window: the buffer renders into an off-screen context of
// the viewer's size, made at the first render and dropped whenever the size
// or the buffer's pixel-format options change.
#pragma once

#include "scene3d/render/stage_buffer.h"

class TGLNonVisualViewer : public TComponent {
 public:
  explicit TGLNonVisualViewer(TComponent* owner);
  std::string ClassName() const override { return "TGLNonVisualViewer"; }

  TGLStageBuffer& Buffer() const { return *buffer_; }
  void SetBuffer(const TGLStageBuffer& value) { buffer_->Assign(&value); }
  TGLCamera* Camera() const { return buffer_->Camera(); }
  void SetCamera(TGLCamera* camera) { buffer_->SetCamera(camera); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Below 1 becomes 1.
  void SetWidth(int value);
  void SetHeight(int value);

  virtual void Render(TGLBaseStageObject* baseObject) = 0;
  // The whole last frame into texture, on the texture's own target.
  virtual void CopyToTexture(TGLTexture& texture);

 protected:
  virtual void DoBufferChange() {}
  virtual void DoBufferStructuralChange() { buffer_->DestroyRC(); }

 private:
  std::unique_ptr<TGLStageBuffer> buffer_;
  int width_ = 256, height_ = 256;
};

// Renders into a GLX pbuffer.
class TGLMemoryViewer : public TGLNonVisualViewer {
 public:
  using TGLNonVisualViewer::TGLNonVisualViewer;
  std::string ClassName() const override { return "TGLMemoryViewer"; }
  void Render(TGLBaseStageObject* baseObject = nullptr) override;
};
