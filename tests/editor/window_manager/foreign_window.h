// A window of another program on the test's desktop: the test program started
// again as a program that shows one plain X11 window, in the top right corner
// of the screen (clear of the 3-D view) and above the program's main window.
#pragma once

#include <sys/types.h>

#include "desktop_user.h"

class ForeignWindow {
 public:
  // Returns once the window manager has shown the window and given it the
  // activation or not, as it decides; id() is 0 when it could not be shown.
  ForeignWindow();
  // Returns once the window manager is done with the window gone.
  ~ForeignWindow();
  ForeignWindow(const ForeignWindow&) = delete;
  ForeignWindow& operator=(const ForeignWindow&) = delete;

  XWindowId id() const { return id_; }

 private:
  pid_t process_ = 0;
  XWindowId id_ = 0;
};

// The other program: the test program runs as it when its first argument is
// this option, and shows its window until it is ended.
inline constexpr char kForeignWindowOption[] = "--foreign-window";
int run_foreign_window();
