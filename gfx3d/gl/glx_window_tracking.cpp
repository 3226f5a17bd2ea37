#include "gfx3d/gl/glx_window_tracking.h"

#include <algorithm>
#include <vector>

#include "gfx3d/gl/glx_display.h"

// clang-format off
#include <X11/Xlib.h>
// clang-format on

namespace {

struct TrackedWindow {
  Window window;
  std::function<void()> callback;
};

std::vector<TrackedWindow>& Tracked() {
  static std::vector<TrackedWindow> tracked;
  return tracked;
}

// A connection of its own: event selection is per client, and the library's
// connection may be Qt's, whose events Qt reads.
Display*& TrackingDisplay() {
  static Display* display = nullptr;
  return display;
}

Display* TrackingConnection() {
  Display*& display = TrackingDisplay();
  if (!display) display = XOpenDisplay(XDisplayString(XDisplayConnection()));
  return display;
}

// Destroyed tracked windows whose DestroyNotify has arrived.
std::vector<Window> DestroyedWindows(Display* display) {
  std::vector<Window> destroyed;
  XSync(display, False);  // every event the server sent before now is queued
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == DestroyNotify) destroyed.push_back(event.xdestroywindow.window);
  }
  return destroyed;
}

}  // namespace

void TrackWindow(TGLOutputDevice window, std::function<void()> callback) {
  Display* display = TrackingConnection();
  if (!display || !window) return;
  TXErrorTrap trap(display);
  XSelectInput(display, static_cast<Window>(window), StructureNotifyMask);
  if (trap.Error() != 0) return;
  Tracked().push_back({static_cast<Window>(window), std::move(callback)});
}

void UnTrackWindow(TGLOutputDevice window) {
  auto& tracked = Tracked();
  std::erase_if(tracked, [&](const TrackedWindow& entry) { return entry.window == static_cast<Window>(window); });
  Display* display = TrackingDisplay();
  if (!display || !window) return;
  TXErrorTrap trap(display);  // the window may be gone already
  XSelectInput(display, static_cast<Window>(window), NoEventMask);
}

void CloseTrackingConnection() {
  Tracked().clear();
  Display*& display = TrackingDisplay();
  if (display) XCloseDisplay(display);
  display = nullptr;
}

void CheckTrackedWindows() {
  Display* display = TrackingDisplay();
  if (!display || Tracked().empty()) return;
  const std::vector<Window> destroyed = DestroyedWindows(display);
  auto& tracked = Tracked();
  std::size_t i = tracked.size();
  while (i > 0) {
    --i;
    if (std::find(destroyed.begin(), destroyed.end(), tracked[i].window) == destroyed.end()) continue;
    const std::function<void()> callback = std::move(tracked[i].callback);
    tracked.erase(tracked.begin() + static_cast<std::ptrdiff_t>(i));
    callback();
    i = std::min(i, tracked.size());  // the callback may have removed entries
  }
}
