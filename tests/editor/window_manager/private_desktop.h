// A desktop of the test program's own: an X server with a window manager on
// it, as a user's desktop has. The window manager decides which window is
// active, and the other tests' windows on the shared server are left
// unmanaged.
#pragma once

#include <sys/types.h>

#include <string>

class PrivateDesktop {
 public:
  // Starts the server and the window manager and points DISPLAY at them;
  // error() tells what failed.
  PrivateDesktop();
  ~PrivateDesktop();
  PrivateDesktop(const PrivateDesktop&) = delete;
  PrivateDesktop& operator=(const PrivateDesktop&) = delete;

  const std::string& error() const { return error_; }

 private:
  // Tries displays from first on.
  bool start_server(int first);
  bool start_server_on(int number);
  bool start_window_manager();
  bool fail(const std::string& error);

  pid_t server_ = 0;
  pid_t window_manager_ = 0;
  int number_ = 0;
  std::string display_;
  std::string error_;
};
