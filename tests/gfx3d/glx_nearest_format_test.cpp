// A window context whose request no configuration meets goes on with the
// nearest one and says what it was given; a pbuffer is still refused.
#include <gtest/gtest.h>

#include "support/gl_pixel_fixture.h"

namespace {

TGLXConfigDescription WindowConfig(int depth, int stencil, bool doubleBuffered = true) {
  TGLXConfigDescription config;
  config.window = config.pbuffer = config.rgba = true;
  config.doubleBuffered = doubleBuffered;
  config.colorBits = 32;
  config.alphaBits = 8;
  config.depthBits = depth;
  config.stencilBits = stencil;
  return config;
}

}  // namespace

TEST(GLXNearestFormat, AfterTheCascadeFailsAWindowTakesTheClosestConfiguration) {
  TGLXConfigRequest request;
  request.depthBits = 24;
  request.stencilBits = 64;
  request.doubleBuffered = true;
  int tries = 0;
  TGLXAttribList attributes;
  ASSERT_EQ(ChooseGLXFormat(request, attributes,
                            [&](const std::vector<int>&) {
                              ++tries;
                              return 0;
                            }),
            0);
  EXPECT_EQ(tries, 4) << "the request, depth 16, colour 16, then the request without the caveat";

  TGLXConfigDescription pbuffer_only = WindowConfig(24, 8);
  pbuffer_only.window = false;
  TGLXConfigDescription slow = WindowConfig(24, 8);
  slow.slow = true;
  TGLXConfigDescription deeper = WindowConfig(32, 8);
  const std::vector<TGLXConfigDescription> configs = {
      pbuffer_only, WindowConfig(16, 8), WindowConfig(24, 0), WindowConfig(24, 8, false), slow,
      deeper,       WindowConfig(24, 8)};
  EXPECT_EQ(NearestGLXFormat(request, configs), 6)
      << "double-buffered, full depth, the most stencil, fast, and the least waste";
  request.pbuffer = true;
  EXPECT_EQ(NearestGLXFormat(request, configs), 0);
  request.pbuffer = false;
  EXPECT_EQ(NearestGLXFormat(request, {pbuffer_only}), -1) << "nothing draws into a window";
}

TEST(GLXNearestFormat, AnAcceleratedConfigurationWithLessDepthWinsOverASlowOneWithAll) {
  TGLXConfigRequest request;
  request.depthBits = 24;
  request.doubleBuffered = true;
  TGLXConfigDescription slow = WindowConfig(24, 8);
  slow.slow = true;
  EXPECT_EQ(NearestGLXFormat(request, {slow, WindowConfig(16, 0)}), 1);
  EXPECT_EQ(NearestGLXFormat(request, {WindowConfig(16, 0, false), slow}), 1) << "the buffer kinds come first";
  EXPECT_EQ(NearestGLXFormat(request, {slow}), 0) << "a slow one when nothing else draws there";
}

using GLXNearestFormatTest = GLPixelTest;

TEST_F(GLXNearestFormatTest, AWindowAskingForMoreStencilThanAnyConfigurationHoldsGetsTheNearest) {
  std::unique_ptr<TGLContext> window = GLContextManager().CreateContext();
  window->SetDepthBits(24);
  window->SetStencilBits(64);
  ASSERT_NO_THROW(window->CreateContext(0));
  const TGLXConfigDescription& given = dynamic_cast<TGLGLXContext&>(*window).GivenFormat();
  EXPECT_EQ(given.depthBits, 24);
  EXPECT_EQ(given.stencilBits, 8);
  window->Activate();
  GLint stencil = 0;
  GL().glGetIntegerv(GL_STENCIL_BITS, &stencil);
  EXPECT_EQ(stencil, given.stencilBits) << "what is reported is what GL has";
  window->Deactivate();
}
