// The library's end releases the window system: the GL driver's worker
// threads end with it, so none is left running when the process exits (the
// leak checker stops every thread at exit and fails on half-ended ones).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <thread>

#include "gfx3d/core/initialization.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/glx_context.h"
#include "gfx3d/gl/glx_display.h"
#include "support/gl_required.h"
// clang-format off
#include <X11/Xlib.h>
// clang-format on

namespace {

// The sockets the process holds: its connections to the X server among them.
int SocketCount() {
  int sockets = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), error);
    if (!error && target.string().starts_with("socket:")) ++sockets;
  }
  return sockets;
}

std::ptrdiff_t ThreadCount() {
  return std::distance(std::filesystem::directory_iterator("/proc/self/task"), std::filesystem::directory_iterator());
}

// Holds a connection of the test's own while the library closes and opens
// its own, so that a server which starts afresh once its last client leaves
// (one run without -noreset) never does so in the middle of the test.
class LibraryEnd : public testing::Test {
 protected:
  void SetUp() override {
    InitializeGfx3D();
    // Such a server, left by the client before, refuses connections until it is up again.
    for (int attempt = 0; attempt < 500 && !own_; ++attempt) {
      own_ = XOpenDisplay(nullptr);
      if (!own_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!own_) SKIP_OR_FAIL_WITHOUT_GL("no X server accepts a connection");
  }

  // The library connects again before the test lets go, so what runs next finds the server up.
  void TearDown() override {
    if (!own_) return;
    XDisplayConnection();
    XCloseDisplay(own_);
  }

 private:
  Display* own_ = nullptr;
};

}  // namespace

// CTest runs each test in a process of its own, where the count before the
// first context is the process's own; within a whole run, earlier tests may
// have left driver threads that the end takes as well.
TEST_F(LibraryEnd, EndsEveryContextAndTheDriversThreads) {
  const std::ptrdiff_t before = ThreadCount();
  auto context = GLContextManager().CreateContext();
  ASSERT_NE(context, nullptr);
  try {
    context->CreateMemoryContext(0, 16, 16);
  } catch (const std::exception& error) {
    SKIP_OR_FAIL_WITHOUT_GL(error.what());
  }
  context->Activate();
  GL().glClearColor(1, 0, 0, 1);
  GL().glClear(GL_COLOR_BUFFER_BIT);
  unsigned char pixel[4] = {};
  GL().glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 255);
  context->Deactivate();

  // The context is still realised: the end destroys it as well.
  FinalizeGfx3D();
  EXPECT_FALSE(context->IsValid());
  EXPECT_LE(ThreadCount(), before);
}

TEST_F(LibraryEnd, ClosesTheConnectionThatWatchesTheWindowsAndOpensItAgainWhenNeeded) {
  const int before = SocketCount();
  for (int round = 0; round < 2; ++round) {
    auto window = GLContextManager().CreateContext();
    try {
      window->CreateContext(0);  // its window is watched from then on
    } catch (const std::exception& error) {
      SKIP_OR_FAIL_WITHOUT_GL(error.what());
    }
    EXPECT_TRUE(window->IsValid());
    FinalizeGfx3D();
    EXPECT_FALSE(window->IsValid());
    EXPECT_FALSE(OpenGLLibrariesLoaded()) << "the next context loads them again";
    EXPECT_LE(SocketCount(), before) << "round " << round;
  }
}
