#include "scene3d/viewer/stage_viewer.h"

#include <QEvent>
#include <QMetaObject>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/glx_binding.h"
#include "gfx3d/persistence/published_properties.h"
#include "scene3d/render/camera.h"
#include "scene3d/viewer/x11_child_window.h"

TGLStageViewer::TGLStageViewer(QWidget* parent)
    : QWidget(parent),
      TComponent(nullptr),
      buffer_(std::make_unique<TGLStageBuffer>(nullptr)),
      expose_filter_(std::make_unique<TChildWindowExposeFilter>([this] { update(); })) {
  gl_available_ = QtRunsOnX11() && LoadOpenGLLibraries();
  if (gl_available_) {
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
  }
  resize(100, 100);
  buffer_->ViewerBeforeRender = [this](TGLStageBuffer*) { DoBeforeRender(); };
  buffer_->OnChange = [this](TGLStageBuffer* buffer) {
    if (!buffer->Rendering() && !buffer->Frozen()) update();
  };
  buffer_->OnStructuralChange = [this](TGLStageBuffer*) { RecreateContext(); };
}

TGLStageViewer::~TGLStageViewer() {
  expose_filter_->Watch(0);
  buffer_.reset();
}

float TGLStageViewer::FieldOfView() const {
  return Camera() ? Camera()->GetFieldOfView(static_cast<float>(SmallerSide())) : 0;
}

void TGLStageViewer::SetFieldOfView(float value) {
  if (Camera()) Camera()->SetFieldOfView(value, static_cast<float>(SmallerSide()));
}

int TGLStageViewer::SmallerSide() const { return width() >= height() ? height() : width(); }

void TGLStageViewer::EnsureContext() {
  if (!gl_available_ || context_failed_ || buffer_->RCInstantiated()) return;
  const WId window = winId();
  FlushQtX11Connection();
  try {
    buffer_->Resize(width(), height());
    buffer_->CreateRC(static_cast<TGLOutputDevice>(window), false);
    expose_filter_->Watch(buffer_->RenderingContext()->RenderOutputDevice());
  } catch (const std::exception& error) {
    // The program goes on without 3-D: the widget stays a plain one.
    context_failed_ = true;
    buffer_->DestroyRC();
    ReportError(error.what());
  }
}

void TGLStageViewer::Loaded() {
  TComponent::Loaded();
  EnsureContext();
}

void TGLStageViewer::RecreateContext() {
  expose_filter_->Watch(0);
  buffer_->DestroyRC();
  context_failed_ = false;
  // Hidden or not: a snapshot renders the buffer whether the viewer is shown or not.
  if (internalWinId()) EnsureContext();
  update();
}

void TGLStageViewer::DoBeforeRender() {
  int interval = 0;
  if (!CurrentSwapInterval(interval)) return;
  const int wanted = vsync_ == vsmSync ? 1 : 0;
  if (interval != wanted) SetCurrentSwapInterval(wanted);
}

void TGLStageViewer::ReportError(const std::string& message) {
  if (message == last_error_) return;
  last_error_ = message;
  // Shown after the paint, never from inside it.
  QMetaObject::invokeMethod(
      this,
      [this, message] {
        if (OnRenderError) OnRenderError(message);
      },
      Qt::QueuedConnection);
}

bool TGLStageViewer::event(QEvent* event) {
  if (event->type() == QEvent::WinIdChange && buffer_->RCInstantiated()) RecreateContext();
  return QWidget::event(event);
}

void TGLStageViewer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The context exists once the window does, so a snapshot can render before the first paint.
  EnsureContext();
}

void TGLStageViewer::paintEvent(QPaintEvent*) {
  if (!gl_available_ || width() <= 0 || height() <= 0) return;
  EnsureContext();
  try {
    buffer_->Render();
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

void TGLStageViewer::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  try {
    buffer_->Resize(width(), height());
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

void TGLStageViewer::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  mouse_inside_ = true;
  if (OnMouseEnter) OnMouseEnter(this);
}

void TGLStageViewer::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  mouse_inside_ = false;
  if (OnMouseLeave) OnMouseLeave(this);
}

namespace {

// The viewer's start-up, as the program starts: component streams can make
// viewers by class name and store their published properties (Camera, VSync,
// Buffer, FieldOfView, Enabled and Hint) in any program that has the viewer.
[[maybe_unused]] const bool viewer_class_registered = [] {
  RegisterClass("TGLStageViewer", [] { return std::make_unique<TGLStageViewer>(); });
  using V = TGLStageViewer;
  Publisher<V>("TGLStageViewer", "")
      .Reference<TGLCamera>("Camera", &V::Camera, &V::SetCamera)
      .Enum("VSync", {"vsmSync", "vsmNoSync"}, &V::VSync, &V::SetVSync, vsmNoSync)
      .Object("Buffer", &V::Buffer)
      .Single("FieldOfView", &V::FieldOfView, &V::SetFieldOfView)
      .Boolean("Enabled", &V::isEnabled, &V::setEnabled, true)
      .String("Hint", &V::Hint, &V::SetHint);
  return true;
}();

}  // namespace
