// Rendering contexts: the configuration cascade, nesting, sharing and
// destruction, and the GL error policy, on Mesa under Xvfb.
#include <gtest/gtest.h>

#include "gfx3d/core/initialization.h"
#include "support/gl_pixel_fixture.h"
#include "support/recording_gl.h"
// clang-format off
#include <GL/glx.h>
// clang-format on

namespace {

// A context that only counts what the platform would be asked to do.
class CountingContext : public TGLContext {
 public:
  ~CountingContext() override { DestroyQuietly(); }
  bool IsValid() const override { return valid; }
  void SwapBuffers() override {}
  TGLOutputDevice RenderOutputDevice() const override { return 0; }
  int activations = 0, deactivations = 0;
  bool valid = false;

 protected:
  void DoCreateContext(TGLOutputDevice) override { valid = true; }
  void DoCreateMemoryContext(TGLOutputDevice, int, int, int) override { valid = true; }
  void DoShareLists(TGLContext&) override {}
  void DoDestroyContext() override { valid = false; }
  void DoActivate() override { ++activations; }
  void DoDeactivate() override { ++deactivations; }
};

int AttributeValue(const std::vector<int>& list, int attribute) {
  for (std::size_t i = 0; i + 1 < list.size(); i += 2)
    if (list[i] == attribute) return list[i + 1];
  return -1;
}

}  // namespace

TEST(GLXFormatCascade, RetriesInTheFixedOrder) {
  struct Try {
    int depth, colour, samples, caveat;
  };
  struct Case {
    TGLXConfigRequest request;
    std::vector<Try> tries;
  };
  TGLXConfigRequest deep;
  deep.depthBits = 32;
  deep.antiAliasing = aa4x;
  deep.multisampleSupported = true;
  TGLXConfigRequest colour24 = deep;
  colour24.depthBits = 24;
  colour24.colorBits = 24;
  const int none = GLX_NONE;
  for (const Case& c :
       {Case{deep, {{32, 32, 4, none}, {24, 32, -1, none}, {16, 32, -1, none}, {16, 16, -1, none}, {32, 32, -1, -1}}},
        Case{colour24, {{24, 24, 4, none}, {16, 24, -1, none}, {16, 16, -1, none}, {24, 24, -1, -1}}}}) {
    std::vector<std::vector<int>> lists;
    TGLXAttribList attributes;
    EXPECT_EQ(ChooseGLXFormat(c.request, attributes,
                              [&](const std::vector<int>& list) {
                                lists.push_back(list);
                                return 0;
                              }),
              0);
    ASSERT_EQ(lists.size(), c.tries.size());
    for (std::size_t i = 0; i < lists.size(); ++i) {
      EXPECT_EQ(AttributeValue(lists[i], GLX_DEPTH_SIZE), c.tries[i].depth) << i;
      EXPECT_EQ(AttributeValue(lists[i], GLX_BUFFER_SIZE), c.tries[i].colour) << i;
      EXPECT_EQ(AttributeValue(lists[i], GLX_SAMPLES), c.tries[i].samples) << i;
      EXPECT_EQ(AttributeValue(lists[i], GLX_CONFIG_CAVEAT), c.tries[i].caveat) << i;
      EXPECT_EQ(lists[i].back(), 0);
    }
  }
}

TEST(GLXFormatCascade, PicksAConfigurationWithoutSampleBuffersUnlessAsked) {
  EXPECT_EQ(PickGLXFormat({1, 0, 0}, aaDefault, true), 1);
  EXPECT_EQ(PickGLXFormat({1, 1}, aaNone, true), 1);
  EXPECT_EQ(PickGLXFormat({1, 0}, aa4x, true), 0);
  EXPECT_EQ(PickGLXFormat({1, 0}, aaDefault, false), 0);
  EXPECT_EQ(PickGLXFormat({}, aaDefault, true), -1);
}

TEST(GLContextActivation, NestsAndUnwindsAndRefusesMisuse) {
  CountingContext context;
  context.CreateContext(0);
  for (int i = 0; i < 3; ++i) context.Activate();
  EXPECT_EQ(CurrentGLContext(), &context);
  EXPECT_THROW(context.SetDepthBits(16), EGLContext);
  context.SetActive(false);
  EXPECT_EQ(context.activations, 1);
  EXPECT_EQ(context.deactivations, 1);
  EXPECT_EQ(context.ActivationCount(), 0);
  EXPECT_EQ(CurrentGLContext(), nullptr);
  try {
    context.Deactivate();
    ADD_FAILURE() << "an unbalanced deactivation went through";
  } catch (const EGLContext& error) {
    EXPECT_STREQ(error.what(), "Unbalanced context activations");
  }
  EXPECT_THROW(context.CreateContext(0), EGLContext);
  CountingContext unrealised;
  EXPECT_THROW(unrealised.Activate(), EGLContext);
}

using GLContextTest = GLPixelTest;

TEST_F(GLContextTest, WindowContextHasTheRequestedDepthAndReadsMesasFlags) {
  std::unique_ptr<TGLContext> window = GLContextManager().CreateContext();
  window->SetDepthBits(24);
  window->SetOptions(rcoDoubleBuffered);
  window->CreateContext(0);
  window->Activate();
  GLint depth = 0;
  GL().glGetIntegerv(GL_DEPTH_BITS, &depth);
  EXPECT_EQ(depth, 24);
  EXPECT_EQ(window->Acceleration(), 1);
  EXPECT_TRUE(GLFlags().VERSION_1_5);
  EXPECT_TRUE(GLFlags().ARB_multitexture);
  EXPECT_TRUE(GLFlags().WGL_ARB_pbuffer);
  EXPECT_NE(GL().glActiveTextureARB, nullptr);
  window->SwapBuffers();
  window->Deactivate();
  EXPECT_EQ(CurrentGLContext(), context_.get());
}

TEST_F(GLContextTest, DestroyingOneOfTwoSharingContextsKeepsItsNamesInTheOther) {
  std::unique_ptr<TGLContext> other = GLContextManager().CreateContext();
  other->CreateMemoryContext(0, 8, 8);
  std::unique_ptr<TGLContext> first = GLContextManager().CreateContext();
  first->CreateMemoryContext(0, 8, 8);
  first->ShareLists(*other);
  EXPECT_EQ(other->SharedContexts().size(), 2u);
  first->Activate();
  TGLListHandle list;
  TGLTextureHandle texture;
  list.AllocateHandle();
  texture.AllocateHandle();
  GL().glBindTexture(GL_TEXTURE_2D, texture.Handle());
  first->Deactivate();
  const int created = GLContextManager().CreatedContextCount();
  first->DestroyContext();
  EXPECT_EQ(GLContextManager().CreatedContextCount(), created - 1);
  EXPECT_EQ(list.RenderingContext(), other.get());
  EXPECT_EQ(texture.RenderingContext(), other.get());
  EXPECT_EQ(other->SharedContexts().size(), 1u);
  EXPECT_EQ(CurrentGLContext(), context_.get());
  EXPECT_EQ(context_->ActivationCount(), 1);
  other->Activate();
  EXPECT_TRUE(glIsList(list.Handle()));
  EXPECT_TRUE(glIsTexture(texture.Handle()));
  other->Deactivate();
}

TEST_F(GLContextTest, DestroyingAHandleOfAnotherContextRestoresTheWholeActivation) {
  context_->Activate();  // nested twice
  std::unique_ptr<TGLContext> other = GLContextManager().CreateContext();
  other->CreateMemoryContext(0, 8, 8);
  context_->SetActive(false);
  other->Activate();
  TGLListHandle list;
  list.AllocateHandle();
  other->Deactivate();
  context_->Activate();
  context_->Activate();
  list.DestroyHandle();
  EXPECT_EQ(list.Handle(), 0u);
  EXPECT_EQ(CurrentGLContext(), context_.get());
  EXPECT_EQ(context_->ActivationCount(), 2);
  EXPECT_TRUE(other->OwnedHandles().empty());
}

TEST_F(GLContextTest, ReportsGLErrorsWithGLUsTextAndKeepsTheFloatingPointState) {
  EXPECT_NO_THROW(CheckOpenGLError());
  GL().glEnable(0xFFFF);
  try {
    CheckOpenGLError();
    ADD_FAILURE() << "no GL error reported";
  } catch (const EOpenGLError& error) {
    EXPECT_STREQ(error.what(), "invalid enumerant");
  }
  EXPECT_EQ(GL().glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  GL().glClear(GL_COLOR_BUFFER_BIT);
  GL().glFinish();
  EXPECT_TRUE(FloatingPointEnvironmentIsDefault());
}

TEST_F(GLContextTest, APbufferThatCannotBeMadeSaysWhyAndLeavesNothingBehind) {
  const int listed = GLContextManager().ContextCount();
  const int created = GLContextManager().CreatedContextCount();
  {
    std::unique_ptr<TGLContext> pbuffer = GLContextManager().CreateContext();
    pbuffer->SetStencilBits(64);  // more than any configuration holds
    {
      RecordingGL gl;
      try {
        pbuffer->CreateMemoryContext(0, 16, 16);
        ADD_FAILURE() << "a pbuffer without a configuration was made";
      } catch (const EGLContext& error) {
        EXPECT_STREQ(error.what(), "Format not supported for pbuffer operation.");
      }
      EXPECT_TRUE(gl.calls.empty()) << "nothing reached GL";
    }
    EXPECT_FALSE(pbuffer->IsValid());
    EXPECT_TRUE(pbuffer->SharedContexts().empty());
    EXPECT_EQ(GLContextManager().CreatedContextCount(), created);
    EXPECT_EQ(CurrentGLContext(), context_.get());
    EXPECT_EQ(context_->ActivationCount(), 1);

    pbuffer->SetStencilBits(0);
    try {
      pbuffer->CreateMemoryContext(0, 1 << 20, 1 << 20);
      ADD_FAILURE() << "a pbuffer larger than the server allows was made";
    } catch (const EGLContext& error) {
      EXPECT_STREQ(error.what(), "Unabled to create pbuffer.");
    }
    EXPECT_FALSE(pbuffer->IsValid());
    EXPECT_EQ(GLContextManager().CreatedContextCount(), created);

    pbuffer->CreateMemoryContext(0, 16, 16);
    EXPECT_TRUE(pbuffer->IsValid()) << "the same context is made once the request can be met";
  }
  EXPECT_EQ(GLContextManager().ContextCount(), listed);
  EXPECT_EQ(GLContextManager().CreatedContextCount(), created);
  GL().glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_NO_THROW(CheckOpenGLError()) << "the fixture's context still draws";
}
