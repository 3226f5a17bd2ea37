// The window control a scene is shown in: a native Qt widget that owns one
// scene buffer, whose GLX context draws into a child X window kept at the
// widget's size. Paint renders a frame; a change of the scene or the buffer
// schedules a repaint; a structural change recreates the context. Without
// X11 or GL it stays a plain widget. No exception leaves its paint: a failed
// frame is abandoned and its message reported once, after the paint. It is
// also a component, so component streams can hold one with its properties.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "gfx3d/core/toolkit_components.h"
#include "scene3d/render/stage_buffer.h"

class TChildWindowExposeFilter;

enum TVSyncMode : std::uint8_t { vsmSync, vsmNoSync };

class TGLStageViewer : public QWidget, public TComponent {
 public:
  explicit TGLStageViewer(QWidget* parent = nullptr);
  ~TGLStageViewer() override;
  std::string ClassName() const override { return "TGLStageViewer"; }

  TGLStageBuffer& Buffer() const { return *buffer_; }
  void SetBuffer(const TGLStageBuffer& value) { buffer_->Assign(&value); }
  TGLCamera* Camera() const { return buffer_->Camera(); }
  void SetCamera(TGLCamera* camera) { buffer_->SetCamera(camera); }
  TVSyncMode VSync() const { return vsync_; }
  void SetVSync(TVSyncMode value) { vsync_ = value; }
  // The camera's field of view over the smaller side; 0 without a camera.
  float FieldOfView() const;
  void SetFieldOfView(float value);
  bool MouseInside() const { return mouse_inside_; }
  // The tool tip.
  std::string Hint() const { return toolTip().toStdString(); }
  void SetHint(const std::string& value) { setToolTip(QString::fromStdString(value)); }
  // Once a component stream has read the viewer: its window and context are made at once.
  void Loaded() override;

  std::function<void(TGLStageViewer*sender)> OnMouseEnter, OnMouseLeave;
  // Told once per distinct message, after the paint that failed, or when no context can be made.
  std::function<void(const std::string& message)> OnRenderError;

  QPaintEngine* paintEngine() const override { return nullptr; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Makes the context when the widget has its native window and none exists yet.
  void EnsureContext();
  void RecreateContext();
  void DoBeforeRender();
  void ReportError(const std::string& message);
  int SmallerSide() const;

  std::unique_ptr<TGLStageBuffer> buffer_;
  std::unique_ptr<TChildWindowExposeFilter> expose_filter_;
  TVSyncMode vsync_ = vsmNoSync;
  bool mouse_inside_ = false;
  bool gl_available_ = false;
  bool context_failed_ = false;
  std::string last_error_;
};
