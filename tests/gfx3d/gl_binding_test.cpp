// Version texts, whole-name extension matching and the flags read from a context's strings.
#include "gfx3d/gl/gl_binding.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/recording_gl.h"

TEST(GLBinding, ParsesVersionTexts) {
  struct Case {
    const char* text;
    int major, minor;
  };
  for (const Case& c :
       {Case{"1.5.2 Vendor", 1, 5}, Case{"Version 2.0", 2, 0}, Case{"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 5},
        Case{"no digits", 0, 0}, Case{"1.", 0, 0}, Case{".5", 0, 0}, Case{"", 0, 0}}) {
    int major = -1;
    int minor = -1;
    ParseVersionString(c.text, major, minor);
    EXPECT_EQ(major, c.major) << c.text;
    EXPECT_EQ(minor, c.minor) << c.text;
  }
}

TEST(GLBinding, MatchesWholeExtensionNames) {
  struct Case {
    const char* name;
    const char* extensions;
    bool found;
  };
  for (const Case& c :
       {Case{"GL_ARB_multisample", "GL_ARB_multisample GL_EXT_bgra", true},
        Case{"GL_EXT_bgra", "GL_ARB_multisample GL_EXT_bgra", true}, Case{"GL_EXT_bgra", "GL_A GL_EXT_bgra GL_B", true},
        Case{"GL_EXT_texture", "GL_EXT_texture3D GL_EXT_texture", true},
        Case{"GL_EXT_texture", "GL_EXT_texture3D", false}, Case{"GL_ARB_multisample", "WGL_ARB_multisample", false},
        Case{"GL_X", "", false}}) {
    EXPECT_EQ(HasExtension(c.name, c.extensions), c.found) << c.name << " in " << c.extensions;
  }
}

TEST(GLBinding, ReadsVersionAndExtensionFlagsFromTheContextStrings) {
  RecordingGL gl;
  gl.strings[GL_VERSION] = "1.3 Vendor";
  gl.strings[GL_EXTENSIONS] = "GL_ARB_multisample GL_EXT_stencil_two_side GL_EXT_texture3D";
  gl.strings[GLU_VERSION] = "1.3";
  ReadGLExtensionFlags();
  const TGLExtensionFlags& flags = GLFlags();
  EXPECT_TRUE(flags.VERSION_1_0 && flags.VERSION_1_1 && flags.VERSION_1_2 && flags.VERSION_1_3);
  EXPECT_FALSE(flags.VERSION_1_4 || flags.VERSION_1_5);
  EXPECT_TRUE(flags.GLU_1_3);
  EXPECT_TRUE(flags.ARB_multisample);
  EXPECT_TRUE(flags.EXT_stencil_two_side);
  EXPECT_TRUE(flags.EXT_texture3D);
  EXPECT_FALSE(flags.EXT_texture_object);

  gl.strings[GL_VERSION] = "2.1.0";
  gl.strings.erase(GL_EXTENSIONS);
  ReadGLExtensionFlags();
  EXPECT_TRUE(flags.VERSION_1_5);
  EXPECT_FALSE(flags.ARB_multisample);
}

TEST(GLBinding, LoadingFailsWholeWhenOneLibraryIsMissing) {
  EXPECT_FALSE(LoadOpenGLLibrariesFrom("libGL.so.1", "libNoSuchGLU.so.1"));
  EXPECT_FALSE(OpenGLLibrariesLoaded());
  EXPECT_NE(OpenGLLibrariesLoadError().find("libNoSuchGLU.so.1"), std::string::npos)
      << "the loader's own words: " << OpenGLLibrariesLoadError();
  EXPECT_TRUE(LoadOpenGLLibraries());
  EXPECT_TRUE(OpenGLLibrariesLoaded());
  EXPECT_EQ(OpenGLLibrariesLoadError(), "");
}

// Loading again keeps what is loaded; the names are read again only once the
// libraries have been unloaded.
TEST(GLBinding, LoadsOnlyWhatIsNotLoaded) {
  ASSERT_TRUE(LoadOpenGLLibraries());
  const TOpenGLLibraryNames names = OpenGLLibraryNames();
  OpenGLLibraryNames().glu = "libNoSuchGLU.so.1";
  EXPECT_TRUE(LoadOpenGLLibraries());
  EXPECT_TRUE(OpenGLLibrariesLoaded());
  UnloadOpenGLLibraries();
  EXPECT_FALSE(LoadOpenGLLibraries());
  OpenGLLibraryNames() = names;
  EXPECT_TRUE(LoadOpenGLLibraries());
}

TEST(GLBinding, ListsEveryEntryPointBeyondOpenGL11OnceInItsOrder) {
  const auto& entries = GLExtensionEntryPoints();
  ASSERT_EQ(entries.size(), 362u);
  EXPECT_STREQ(entries.front().name, "glDrawRangeElements");
  EXPECT_STREQ(entries[60].name, "glMultiTexCoord1dARB");
  EXPECT_STREQ(entries.back().name, "glDrawBuffersATI");
  std::set<std::string> names;
  for (const TGLExtensionEntryPoint& entry : entries) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_NE(std::string(entry.offeredBy), "") << entry.name;
  }
}

TEST(GLBinding, OffersAnEntryPointByVersionOrByAnyOfItsExtensions) {
  EXPECT_TRUE(EntryPointOffered("GL_VERSION_1_2", 1, 2, "", ""));
  EXPECT_TRUE(EntryPointOffered("GL_VERSION_1_2", 4, 5, "", ""));
  EXPECT_FALSE(EntryPointOffered("GL_VERSION_1_2", 1, 1, "GL_VERSION_1_2", ""));
  EXPECT_TRUE(EntryPointOffered("GL_VERSION_1_4 GL_ARB_imaging", 1, 3, "GL_ARB_imaging", ""));
  EXPECT_FALSE(EntryPointOffered("GL_VERSION_1_4 GL_ARB_imaging", 1, 3, "GL_ARB_imaging_x", ""));
  EXPECT_TRUE(EntryPointOffered("GL_ARB_vertex_program GL_ARB_vertex_shader", 1, 1, "GL_A GL_ARB_vertex_shader", ""));
  EXPECT_TRUE(EntryPointOffered("GLU_EXT_nurbs_tessellator", 1, 1, "", "GLU_EXT_nurbs_tessellator"));
  EXPECT_FALSE(EntryPointOffered("GLU_EXT_nurbs_tessellator", 1, 1, "GLU_EXT_nurbs_tessellator", ""));
}

TEST(GLBinding, AnExtensionThatIsOffLeavesItsEntryPointsNull) {
  const TGLFunctionTable saved = PlatformGLFunctions();
  {
    RecordingGL gl;
    gl.strings[GL_VERSION] = "1.1";
    gl.strings[GL_EXTENSIONS] = "GL_ARB_multitexture GL_EXT_texture3D";
    LoadGLExtensionEntryPoints();
  }
  int resolved = 0;
  for (const TGLExtensionEntryPoint& entry : GLExtensionEntryPoints()) {
    const std::string offered = entry.offeredBy;
    const bool on = offered == "GL_ARB_multitexture" || offered == "GL_EXT_texture3D";
    EXPECT_EQ(entry.get(PlatformGLFunctions()) != nullptr, on) << entry.name;
    resolved += on ? 1 : 0;
  }
  EXPECT_EQ(resolved, 36);
  PlatformGLFunctions() = saved;
}
