// The entry points and flags Mesa's context offers, and when activations
// reload them: everything for a new driver, the GLX half for a new
// configuration of the same driver, nothing for the same configuration.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "gfx3d/gl/glx_binding.h"
#include "support/gl_pixel_fixture.h"
#include "support/recording_gl.h"

namespace {

std::string GLString(GLenum name) {
  const GLubyte* text = GL().glGetString(name);
  return text ? reinterpret_cast<const char*>(text) : "";
}

std::string GLUString(GLenum name) {
  const GLubyte* text = GL().gluGetString(name);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

using GLEntryPointsTest = GLPixelTest;

TEST_F(GLEntryPointsTest, EveryEntryPointMesaOffersIsResolvedAndNoOtherIs) {
  int major = 0;
  int minor = 0;
  ParseVersionString(GLString(GL_VERSION), major, minor);
  const std::string extensions = GLString(GL_EXTENSIONS);
  const std::string glu_extensions = GLUString(GLU_EXTENSIONS);
  int offered = 0;
  for (const TGLExtensionEntryPoint& entry : GLExtensionEntryPoints()) {
    // GLU's extension offers two names its library never exported.
    const bool exported = !std::string(entry.name).starts_with("glu") || dlsym(RTLD_DEFAULT, entry.name);
    const bool on = EntryPointOffered(entry.offeredBy, major, minor, extensions, glu_extensions) && exported;
    EXPECT_EQ(entry.get(GL()) != nullptr, on) << entry.name << " (" << entry.offeredBy << ")";
    offered += on ? 1 : 0;
  }
  EXPECT_GT(offered, 200) << "Mesa offers the ARB shader, program and buffer families";
  EXPECT_EQ(GL().glCombinerParameterfNV, nullptr) << "Mesa has no register combiners";
  EXPECT_EQ(GL().glHistogram, nullptr) << "nor the imaging subset";
  EXPECT_EQ(GL().gluNurbsCallbackDataEXT,
            reinterpret_cast<PFNGLUNURBSCALLBACKDATAEXTPROC>(dlsym(RTLD_DEFAULT, "gluNurbsCallbackDataEXT")))
      << "GLU's entry points come from GLU";
}

TEST_F(GLEntryPointsTest, ResolvedEntryPointsReachTheDriver) {
  TGLFunctionTable& gl = GL();
  gl.glActiveTextureARB(GL_TEXTURE1_ARB);
  GLint unit = 0;
  gl.glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &unit);
  EXPECT_EQ(unit, GL_TEXTURE1_ARB);
  gl.glActiveTextureARB(GL_TEXTURE0_ARB);

  GLuint buffer = 0;
  gl.glGenBuffersARB(1, &buffer);
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
  EXPECT_TRUE(gl.glIsBufferARB(buffer));
  gl.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
  gl.glDeleteBuffersARB(1, &buffer);
  EXPECT_FALSE(gl.glIsBufferARB(buffer));

  gl.glBlendColorEXT(0.25f, 0.5f, 0.75f, 1.0f);
  GLfloat colour[4] = {};
  gl.glGetFloatv(GL_BLEND_COLOR_EXT, colour);
  EXPECT_FLOAT_EQ(colour[2], 0.75f);

  const GLhandleARB shader = gl.glCreateShaderObjectARB(GL_VERTEX_SHADER_ARB);
  EXPECT_NE(shader, 0u);
  gl.glDeleteObjectARB(shader);

  GLUnurbs* nurbs = gl.gluNewNurbsRenderer();
  int data = 0;
  gl.gluNurbsCallbackDataEXT(nurbs, &data);
  gl.gluDeleteNurbsRenderer(nurbs);
  EXPECT_NO_THROW(CheckOpenGLError());
}

TEST_F(GLEntryPointsTest, ActivationReloadsWhatANewConfigurationOrDriverNeedsAndNoMore) {
  std::unique_ptr<TGLContext> first = GLContextManager().CreateContext();
  first->SetDepthBits(16);
  first->CreateMemoryContext(0, 8, 8);
  std::unique_ptr<TGLContext> second = GLContextManager().CreateContext();
  second->SetStencilBits(8);
  second->CreateMemoryContext(0, 8, 8);
  const auto config = [](const TGLContext& c) { return dynamic_cast<const TGLGLXContext&>(c).FBConfigID(); };
  ASSERT_NE(config(*first), config(*second));
  ASSERT_NE(config(*first), config(*context_));
  context_->SetActive(false);
  {
    RecordingGL gl;
    gl.strings[GL_VENDOR] = "First driver";
    gl.strings[GL_VERSION] = "1.3";
    gl.strings[GL_EXTENSIONS] = "GL_ARB_multitexture";
    TGLExtensionFlags& flags = GLFlags();
    const auto activate = [&](TGLContext& context) {
      flags.ARB_multitexture = false;
      flags.WGL_ARB_pbuffer = false;
      context.Activate();
      context.Deactivate();
    };

    activate(*first);
    EXPECT_TRUE(flags.ARB_multitexture) << "a new driver reads every flag";
    EXPECT_TRUE(flags.WGL_ARB_pbuffer) << "and the GLX half after them";
    EXPECT_FALSE(flags.VERSION_1_4);
    EXPECT_NE(PlatformGLFunctions().glActiveTextureARB, nullptr);
    EXPECT_EQ(PlatformGLFunctions().glGenBuffersARB, nullptr);

    activate(*first);
    EXPECT_FALSE(flags.ARB_multitexture) << "the same configuration reloads nothing";
    EXPECT_FALSE(flags.WGL_ARB_pbuffer);

    activate(*second);
    EXPECT_FALSE(flags.ARB_multitexture) << "another configuration of the same driver keeps the GL flags";
    EXPECT_TRUE(flags.WGL_ARB_pbuffer) << "and reloads the GLX half";

    gl.strings[GL_VENDOR] = "Second driver";
    activate(*first);
    EXPECT_TRUE(flags.ARB_multitexture && flags.WGL_ARB_pbuffer);
  }
  context_->Activate();  // Mesa's own entry points and flags again
  EXPECT_TRUE(GLFlags().VERSION_1_5);
  EXPECT_NE(GL().glGenBuffersARB, nullptr);
}

TEST_F(GLEntryPointsTest, TheGLXHalfSetsTheSwapIntervalOfAWindowWhenTheDisplayOffersIt) {
  std::unique_ptr<TGLContext> window = GLContextManager().CreateContext();
  window->SetOptions(rcoDoubleBuffered);
  window->CreateContext(0);
  window->Activate();
  int interval = -1;
  if (!GLFlags().WGL_EXT_swap_control) {  // Xvfb's software GLX has none
    EXPECT_FALSE(CurrentSwapInterval(interval));
    SetCurrentSwapInterval(1);
    EXPECT_NO_THROW(CheckOpenGLError());
  }
  for (int wanted : {0, 1}) {
    if (!GLFlags().WGL_EXT_swap_control) break;
    SetCurrentSwapInterval(wanted);
    EXPECT_TRUE(CurrentSwapInterval(interval));
    EXPECT_EQ(interval, wanted);
  }
  window->Deactivate();
}
