#include "scene3d/render/offscreen_viewers.h"

#include <algorithm>

TGLNonVisualViewer::TGLNonVisualViewer(TComponent* owner)
    : TComponent(owner), buffer_(std::make_unique<TGLStageBuffer>(this)) {
  buffer_->OnChange = [this](TGLStageBuffer*) { DoBufferChange(); };
  buffer_->OnStructuralChange = [this](TGLStageBuffer*) { DoBufferStructuralChange(); };
}

void TGLNonVisualViewer::SetWidth(int value) {
  value = std::max(1, value);
  if (value == width_) return;
  width_ = value;
  DoBufferStructuralChange();
}

void TGLNonVisualViewer::SetHeight(int value) {
  value = std::max(1, value);
  if (value == height_) return;
  height_ = value;
  DoBufferStructuralChange();
}

void TGLNonVisualViewer::CopyToTexture(TGLTexture& texture) {
  buffer_->CopyToTexture(texture, 0, 0, width_, height_, 0, 0);
}

void TGLMemoryViewer::Render(TGLBaseStageObject* baseObject) {
  if (!Buffer().RCInstantiated()) {
    Buffer().SetViewPort(0, 0, Width(), Height());
    Buffer().CreateRC(0, true);
  }
  Buffer().RenderToContext(baseObject);
}
