#include "private_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

extern char** environ;

namespace {

// Runs a program found on PATH with its output thrown away; fd, when not -1,
// is handed to it as descriptor 3. 0 when it cannot be run.
pid_t spawn(std::vector<std::string> arguments, int fd = -1) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (fd != -1) posix_spawn_file_actions_adddup2(&actions, fd, 3);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed ? 0 : child;
}

void stop(pid_t child) {
  if (child <= 0) return;
  ::kill(child, SIGTERM);
  ::waitpid(child, nullptr, 0);
}

// A window manager that follows the desktop conventions names its own window
// on the root window once it manages the screen.
bool window_manager_is_running(const std::string& display) {
  Display* connection = XOpenDisplay(display.c_str());
  if (!connection) return false;
  const Atom check = XInternAtom(connection, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool running = XGetWindowProperty(connection, DefaultRootWindow(connection), check, 0, 1, False, XA_WINDOW,
                                          &type, &format, &count, &after, &data) == Success &&
                       count == 1;
  if (data) XFree(data);
  XCloseDisplay(connection);
  return running;
}

}  // namespace

PrivateDesktop::PrivateDesktop() {
  if (start_server()) start_window_manager();
}

PrivateDesktop::~PrivateDesktop() {
  stop(window_manager_);
  stop(server_);
}

bool PrivateDesktop::fail(const std::string& error) {
  error_ = error;
  return false;
}

// The server picks a free display and writes its number on descriptor 3.
bool PrivateDesktop::start_server() {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return fail("cannot make a pipe");
  server_ = spawn({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, ends[1]);
  ::close(ends[1]);
  std::string number;
  char c = 0;
  while (server_ && ::read(ends[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(ends[0]);
  if (number.empty()) return fail("Xvfb did not start");
  display_ = ":" + number;
  ::setenv("DISPLAY", display_.c_str(), 1);  // for the window manager and the program
  return true;
}

bool PrivateDesktop::start_window_manager() {
  window_manager_ = spawn({"openbox", "--sm-disable"});
  if (!window_manager_) return fail("openbox cannot be run");
  for (int tries = 0; tries < 200; ++tries) {
    if (window_manager_is_running(display_)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return fail("openbox did not start on " + display_);
}
