#include "private_desktop.h"

#include <X11/Xlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "child_process.h"
#include "desktop_user.h"

// A window manager that ends at once (seen once in a while on a busy
// machine) gets a new server on the next display: three tries in all.
PrivateDesktop::PrivateDesktop() {
  int first = 100 + static_cast<int>(::getpid() % 800);
  for (int tries = 0; tries < 3; ++tries) {
    if (!start_server(first)) return;
    if (start_window_manager()) return;
    if (window_manager_) return;  // it still runs: no new server makes it start sooner
    stop(server_);
    server_ = 0;
    first = number_ + 1;
  }
}

PrivateDesktop::~PrivateDesktop() {
  stop(window_manager_);
  stop(server_);
}

bool PrivateDesktop::fail(const std::string& error) {
  error_ = error;
  return false;
}

// Servers started at the same moment that let Xvfb pick the first free
// display can both take it (the second then answers the first one's
// clients), so each test program tries displays from a number of its own.
// The server writes the number on descriptor 3 once it serves, and ends at
// once when the display is taken.
bool PrivateDesktop::start_server(int first) {
  for (int number = first; number < first + 50; ++number) {
    if (start_server_on(number)) return true;
    stop(server_);
    server_ = 0;
  }
  return fail("Xvfb did not start");
}

bool PrivateDesktop::start_server_on(int number) {
  const std::string display = ":" + std::to_string(number);
  std::string written;
  server_ = spawn_until_ready({"Xvfb", display, "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                              written);
  if (written != std::to_string(number)) return false;
  number_ = number;
  display_ = display;
  error_.clear();
  ::setenv("DISPLAY", display_.c_str(), 1);  // for the window manager and the program
  return true;
}

// On a busy machine the window manager may take long to start: it is given
// all the time it needs while it runs, up to a minute. It names its own
// window on the root window once it manages the screen, and answers
// questions once it has started.
bool PrivateDesktop::start_window_manager() {
  window_manager_ = spawn({"openbox", "--sm-disable"});
  if (!window_manager_) return fail("openbox cannot be run");
  Display* connection = XOpenDisplay(display_.c_str());
  if (!connection) return fail("no connection to " + display_);
  XSelectInput(connection, DefaultRootWindow(connection), PropertyChangeMask);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  bool ended = false;
  const auto runs = [&] {
    ended = ended || ::waitpid(window_manager_, nullptr, WNOHANG) == window_manager_;
    return !ended && std::chrono::steady_clock::now() < deadline;
  };
  const auto manages_the_screen = [connection] {
    return window_named_on_root(connection, "_NET_SUPPORTING_WM_CHECK") != 0;
  };
  const bool started = wait_on(connection, manages_the_screen, runs) && window_manager_answers(connection, runs);
  XCloseDisplay(connection);
  if (started) return true;
  if (!ended) return fail("openbox did not start on " + display_);
  window_manager_ = 0;
  return fail("openbox ended on " + display_);
}
