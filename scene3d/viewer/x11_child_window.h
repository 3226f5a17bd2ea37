// The X11 side of the viewer widget: the GLX context draws into its own child
// window of the widget's native window; Qt's connection must have made that
// window before the GLX connection uses it, and Exposes of the child window
// (which Qt does not own) are routed back to the widget through Qt's event
// filter.
#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>

// True when Qt runs on X11 (xcb), the only platform GLX can draw on.
bool QtRunsOnX11();
// Waits until the X server has carried out Qt's requests, so its windows exist for other connections.
void FlushQtX11Connection();

// Calls onExpose whenever the watched window is exposed.
class TChildWindowExposeFilter : public QAbstractNativeEventFilter {
 public:
  explicit TChildWindowExposeFilter(std::function<void()> onExpose);
  ~TChildWindowExposeFilter() override;
  TChildWindowExposeFilter(const TChildWindowExposeFilter&) = delete;
  TChildWindowExposeFilter& operator=(const TChildWindowExposeFilter&) = delete;
  // 0 stops watching.
  void Watch(std::uintptr_t window);
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  std::function<void()> on_expose_;
  std::uintptr_t window_ = 0;
};
