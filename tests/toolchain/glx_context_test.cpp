// A GLX context on an X window clears to a colour that reads back exactly.
// gtest comes before the X headers, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include "support/gl_required.h"
// clang-format off
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
// clang-format on

TEST(GlxContext, ClearsAndReadsBackAPixel) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) SKIP_OR_FAIL_WITHOUT_GL("cannot open the X display");

  const int attributes[] = {GLX_RENDER_TYPE,
                            GLX_RGBA_BIT,
                            GLX_DRAWABLE_TYPE,
                            GLX_WINDOW_BIT,
                            GLX_DOUBLEBUFFER,
                            True,
                            GLX_RED_SIZE,
                            8,
                            GLX_GREEN_SIZE,
                            8,
                            GLX_BLUE_SIZE,
                            8,
                            GLX_DEPTH_SIZE,
                            16,
                            None};
  int count = 0;
  GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
  if (!configs || count == 0) {
    XCloseDisplay(display);
    SKIP_OR_FAIL_WITHOUT_GL("no frame-buffer configuration");
  }
  XVisualInfo* visual = glXGetVisualFromFBConfig(display, configs[0]);
  ASSERT_NE(visual, nullptr);

  Window root = RootWindow(display, visual->screen);
  XSetWindowAttributes window_attributes{};
  window_attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
  Window window = XCreateWindow(display, root, 0, 0, 64, 64, 0, visual->depth, InputOutput, visual->visual, CWColormap,
                                &window_attributes);
  XMapWindow(display, window);
  XSync(display, False);

  GLXContext context = glXCreateNewContext(display, configs[0], GLX_RGBA_TYPE, nullptr, True);
  ASSERT_NE(context, nullptr);
  ASSERT_TRUE(glXMakeContextCurrent(display, window, window, context));

  glViewport(0, 0, 64, 64);
  glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  unsigned char pixel[4] = {};
  glReadBuffer(GL_BACK);
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);

  EXPECT_EQ(pixel[0], 255);
  EXPECT_NEAR(pixel[1], 128, 1);
  EXPECT_EQ(pixel[2], 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  glXMakeContextCurrent(display, None, None, nullptr);
  glXDestroyContext(display, context);
  XDestroyWindow(display, window);
  XFreeColormap(display, window_attributes.colormap);
  XFree(visual);
  XFree(configs);
  XCloseDisplay(display);
}
