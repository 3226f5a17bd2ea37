// Window contexts whose X window goes away before them: the context learns it,
// still activates for its own clean-up, and is released whole when destroyed.
#include "gfx3d/gl/glx_window_tracking.h"

#include <gtest/gtest.h>

#include "support/gl_pixel_fixture.h"
// clang-format off
#include <X11/Xlib.h>
// clang-format on

namespace {

// A parent window made by another client, as the toolkit makes the viewer's.
class ForeignWindow {
 public:
  ForeignWindow() : display_(XOpenDisplay(nullptr)) {
    if (!display_) return;
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 40, 30, 0, 0, 0);
    XMapWindow(display_, window_);
    XSync(display_, False);
  }
  ~ForeignWindow() {
    if (!display_) return;
    if (window_) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
  }
  ForeignWindow(const ForeignWindow&) = delete;
  ForeignWindow& operator=(const ForeignWindow&) = delete;

  TGLOutputDevice Id() const { return window_; }
  void Destroy() {
    XDestroyWindow(display_, window_);
    XSync(display_, False);
    window_ = 0;
  }

 private:
  Display* display_;
  Window window_ = 0;
};

}  // namespace

using GLXWindowTrackingTest = GLPixelTest;

TEST_F(GLXWindowTrackingTest, CallsBackOnceForEachTrackedWindowTheServerDestroyed) {
  ForeignWindow first;
  ForeignWindow second;
  ForeignWindow untracked;
  std::vector<int> calls;
  const TGLOutputDevice first_id = first.Id();
  TrackWindow(first_id, [&] { calls.push_back(1); });
  TrackWindow(second.Id(), [&] {
    calls.push_back(2);
    UnTrackWindow(first_id);  // a callback may untrack others
  });
  TrackWindow(0x7FFFFFF, [&] { calls.push_back(3); });  // no such window: not tracked
  CheckTrackedWindows();
  EXPECT_TRUE(calls.empty()) << "nothing was destroyed yet";

  untracked.Destroy();
  CheckTrackedWindows();
  EXPECT_TRUE(calls.empty());

  first.Destroy();
  second.Destroy();
  CheckTrackedWindows();
  EXPECT_EQ(calls, std::vector<int>{2}) << "the last tracked first, and the first untracked by it";
  CheckTrackedWindows();
  EXPECT_EQ(calls.size(), 1u) << "each destruction is told once";
}

TEST_F(GLXWindowTrackingTest, AWindowContextLearnsItsWindowIsGone) {
  ForeignWindow parent;
  std::unique_ptr<TGLContext> window = GLContextManager().CreateContext();
  window->CreateContext(parent.Id());
  const TGLOutputDevice child = window->RenderOutputDevice();
  CheckTrackedWindows();
  EXPECT_EQ(window->RenderOutputDevice(), child);
  parent.Destroy();
  CheckTrackedWindows();
  EXPECT_NE(window->RenderOutputDevice(), child) << "the context draws into a stand-in now";
  EXPECT_NE(window->RenderOutputDevice(), 0u);
  EXPECT_TRUE(window->IsValid());
}

TEST_F(GLXWindowTrackingTest, AContextWhoseParentWindowWasDestroyedIsReleasedWhole) {
  const int listed = GLContextManager().ContextCount();
  const int created = GLContextManager().CreatedContextCount();
  TGLListHandle list;
  {
    ForeignWindow parent;
    ASSERT_NE(parent.Id(), 0u);
    std::unique_ptr<TGLContext> window = GLContextManager().CreateContext();
    window->SetDepthBits(24);
    window->CreateContext(parent.Id());
    window->Activate();
    list.AllocateHandle();
    window->Deactivate();
    ASSERT_NE(list.Handle(), 0u);

    parent.Destroy();
    EXPECT_NO_THROW(window->Activate()) << "the context still activates for its own clean-up";
    GL().glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_NO_THROW(CheckOpenGLError());
    window->Deactivate();
    EXPECT_NO_THROW(window->DestroyContext());
    EXPECT_FALSE(window->IsValid());
  }
  EXPECT_EQ(list.Handle(), 0u) << "the list was freed with its context";
  EXPECT_EQ(list.RenderingContext(), nullptr);
  EXPECT_EQ(GLContextManager().ContextCount(), listed);
  EXPECT_EQ(GLContextManager().CreatedContextCount(), created);
  EXPECT_EQ(CurrentGLContext(), context_.get());
  EXPECT_EQ(context_->ActivationCount(), 1);

  // The next creation shares with the live contexts; none of them may be a freed one.
  std::unique_ptr<TGLContext> next = GLContextManager().CreateContext();
  next->CreateMemoryContext(0, 8, 8);
  next->Activate();
  GL().glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_NO_THROW(CheckOpenGLError());
  next->Deactivate();
}

TEST_F(GLXWindowTrackingTest, DestroyingAContextAfterItsWindowOnlyThroughTheDestructorLeavesNothingBehind) {
  const int listed = GLContextManager().ContextCount();
  TGLTextureHandle texture;
  {
    ForeignWindow parent;
    std::unique_ptr<TGLContext> window = GLContextManager().CreateContext();
    window->CreateContext(parent.Id());
    window->Activate();
    texture.AllocateHandle();
    window->Deactivate();
    parent.Destroy();
  }
  EXPECT_EQ(texture.Handle(), 0u);
  EXPECT_EQ(GLContextManager().ContextCount(), listed);
  EXPECT_EQ(CurrentGLContext(), context_.get());
  std::unique_ptr<TGLContext> next = GLContextManager().CreateContext();
  next->CreateMemoryContext(0, 8, 8);
  EXPECT_TRUE(next->IsValid());
}
