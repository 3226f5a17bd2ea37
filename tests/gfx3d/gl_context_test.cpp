// Rendering contexts: the configuration cascade, nesting, sharing and
// destruction, and the GL error policy, on Mesa under Xvfb.
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx3d/core/initialization.h"
#include "gfx3d/core/platform_utilities.h"
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

TEST(GLXFormatCascade, APbufferAsksNeitherForABufferCountNorForStereo) {
  TGLXConfigRequest pbuffer;
  pbuffer.pbuffer = true;
  pbuffer.stereo = true;
  pbuffer.depthBits = 24;
  TGLXConfigRequest window = pbuffer;
  window.pbuffer = false;
  window.doubleBuffered = true;
  for (const TGLXConfigRequest& request : {pbuffer, window}) {
    std::vector<std::vector<int>> lists;
    TGLXAttribList attributes;
    ChooseGLXFormat(request, attributes, [&](const std::vector<int>& list) {
      lists.push_back(list);
      return 0;
    });
    ASSERT_EQ(lists.size(), 4u);
    for (const std::vector<int>& list : lists) {
      EXPECT_EQ(AttributeValue(list, GLX_DRAWABLE_TYPE), request.pbuffer ? GLX_PBUFFER_BIT : GLX_WINDOW_BIT);
      // A driver whose pbuffer configurations all have two buffers still gives one.
      EXPECT_EQ(AttributeValue(list, GLX_DOUBLEBUFFER), request.pbuffer ? -1 : 1);
      EXPECT_EQ(AttributeValue(list, GLX_STEREO), request.pbuffer ? -1 : 1);
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

TEST(GLContextCreation, ALibraryThatFailsToLoadIsReportedAsAnOSErrorInTheLoadersWords) {
  InitializeGfx3D();
  // Whatever happens, the tests after this one find the system's libraries loaded.
  struct Restore {
    TOpenGLLibraryNames names = OpenGLLibraryNames();
    ~Restore() {
      OpenGLLibraryNames() = names;
      LoadOpenGLLibraries();
    }
  } restore;
  OpenGLLibraryNames().glu = "libNoSuchGLU.so.1";
  for (const bool offScreen : {false, true}) {
    UnloadOpenGLLibraries();
    const std::unique_ptr<TGLContext> context = GLContextManager().CreateContext();
    try {
      offScreen ? context->CreateMemoryContext(0, 16, 16) : context->CreateContext(0);
      ADD_FAILURE() << "a context was made without its libraries";
    } catch (const EOSError& error) {
      const std::string message = error.what();
      EXPECT_TRUE(message.starts_with("OS Error : ")) << message;
      EXPECT_EQ(message.substr(11), OpenGLLibrariesLoadError());
      EXPECT_NE(message.find("libNoSuchGLU.so.1"), std::string::npos) << message;
    }
    EXPECT_FALSE(context->IsValid());
  }
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

TEST_F(GLContextTest, APbufferCountsAsAcceleratedAndAWindowOnASlowConfigurationDoesNot) {
  // Mesa's configurations with accumulation buffers are the slow ones.
  std::unique_ptr<TGLContext> pbuffer = GLContextManager().CreateContext();
  pbuffer->SetAccumBits(64);
  pbuffer->CreateMemoryContext(0, 8, 8);
  ASSERT_TRUE(dynamic_cast<TGLGLXContext&>(*pbuffer).GivenFormat().slow);
  EXPECT_EQ(pbuffer->Acceleration(), 1);
  std::unique_ptr<TGLContext> window = GLContextManager().CreateContext();
  window->SetAccumBits(64);
  window->CreateContext(0);
  ASSERT_TRUE(dynamic_cast<TGLGLXContext&>(*window).GivenFormat().slow);
  EXPECT_EQ(window->Acceleration(), 2);
}

TEST_F(GLContextTest, APbufferWhoseContextReportsAGLErrorIsRefusedWhole) {
  const int created = GLContextManager().CreatedContextCount();
  std::unique_ptr<TGLContext> pbuffer = GLContextManager().CreateContext();
  {
    RecordingGL gl;
    GL().glGetError = [] { return static_cast<GLenum>(GL_OUT_OF_MEMORY); };
    EXPECT_THROW(pbuffer->CreateMemoryContext(0, 8, 8), EOpenGLError);
  }
  EXPECT_FALSE(pbuffer->IsValid());
  EXPECT_EQ(GLContextManager().CreatedContextCount(), created);
  EXPECT_EQ(CurrentGLContext(), context_.get());
  GL().glClearColor(0, 1, 0, 1);
  GL().glClear(GL_COLOR_BUFFER_BIT);
  GLubyte pixel[4] = {};
  GL().glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[1], 255) << "the caller's context is current again and draws";
  EXPECT_NO_THROW(CheckOpenGLError());
}

// The recording table stands in for GL while a context is made current again,
// so what the activation asks of GL shows.
TEST_F(GLContextTest, HighQualityAntiAliasingAsksForTheNicestMultisampleFilter) {
  context_->SetActive(false);
  struct Case {
    TGLAntiAliasing antiAliasing;
    bool filterHint, hinted;
  };
  for (const Case& c :
       {Case{aa4xHQ, true, true}, Case{aa2xHQ, true, true}, Case{aa4x, true, false}, Case{aa4xHQ, false, false}}) {
    std::unique_ptr<TGLContext> context = GLContextManager().CreateContext();
    context->SetAntiAliasing(c.antiAliasing);
    context->CreateMemoryContext(0, 8, 8);
    context->Activate();  // its configuration's entry points and flags are read here
    context->Deactivate();
    RecordingGL gl;
    GLFlags().ARB_multisample = true;
    GLFlags().NV_multisample_filter_hint = c.filterHint;
    context->Activate();
    context->Deactivate();
    const bool hinted = std::any_of(gl.calls.begin(), gl.calls.end(), [](const RecordedCall& call) {
      return call.name == "glHint" && call.args == std::vector<double>{0x8534, GL_NICEST};
    });
    EXPECT_EQ(hinted, c.hinted) << int(c.antiAliasing) << (c.filterHint ? " with" : " without") << " the hint";
  }
  context_->Activate();
}

TEST_F(GLContextTest, ANewContextReadsThePlatformsFlagsAgainAtItsFirstActivation) {
  context_->SetActive(false);
  std::unique_ptr<TGLContext> first = GLContextManager().CreateContext();
  first->CreateMemoryContext(0, 8, 8);
  first->Activate();
  const std::string vendor = reinterpret_cast<const char*>(GL().glGetString(GL_VENDOR));
  first->Deactivate();
  std::unique_ptr<TGLContext> second = GLContextManager().CreateContext();
  second->CreateMemoryContext(0, 8, 8);
  ASSERT_EQ(dynamic_cast<TGLGLXContext&>(*second).FBConfigID(), dynamic_cast<TGLGLXContext&>(*first).FBConfigID());
  {
    RecordingGL gl;
    gl.strings[GL_VENDOR] = vendor;
    second->Activate();
    EXPECT_TRUE(GLFlags().WGL_ARB_pbuffer) << "the platform's flags were read again";
    EXPECT_EQ(gl.Count("glGetString"), 1) << "the same vendor: the platform's half only";
    second->Deactivate();
  }
  context_->Activate();
}
