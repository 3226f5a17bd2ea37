// The library's one door to OpenGL and GLU: a table of entry points that every
// GL and GLU call goes through (so tests can install a recording table and
// check call sequences without a context), the version and extension flags
// of the context made current last, and the loading of the two libraries.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <string>
#include <string_view>
#include <vector>

#include "gfx3d/gl/gl_extension_entry_points.h"

// The OpenGL 1.1 core functions the library calls, bound at link time.
#define GFX3D_GL_CORE_FUNCTIONS(X) \
  X(glAlphaFunc)                   \
  X(glBegin)                       \
  X(glBindTexture)                 \
  X(glBlendFunc)                   \
  X(glCallList)                    \
  X(glCallLists)                   \
  X(glClear)                       \
  X(glClearColor)                  \
  X(glColor3f)                     \
  X(glColor3fv)                    \
  X(glColor4f)                     \
  X(glColor4fv)                    \
  X(glColorMask)                   \
  X(glColorMaterial)               \
  X(glColorPointer)                \
  X(glCopyTexSubImage2D)           \
  X(glDeleteLists)                 \
  X(glDeleteTextures)              \
  X(glDepthFunc)                   \
  X(glDepthMask)                   \
  X(glDisable)                     \
  X(glDisableClientState)          \
  X(glDrawArrays)                  \
  X(glDrawElements)                \
  X(glDrawPixels)                  \
  X(glEnable)                      \
  X(glEnableClientState)           \
  X(glEnd)                         \
  X(glEndList)                     \
  X(glEvalCoord1f)                 \
  X(glEvalMesh2)                   \
  X(glFinish)                      \
  X(glFogf)                        \
  X(glFogfv)                       \
  X(glFogi)                        \
  X(glFrontFace)                   \
  X(glFrustum)                     \
  X(glGenLists)                    \
  X(glGenTextures)                 \
  X(glGetError)                    \
  X(glGetFloatv)                   \
  X(glGetIntegerv)                 \
  X(glGetMaterialfv)               \
  X(glGetString)                   \
  X(glGetTexLevelParameteriv)      \
  X(glHint)                        \
  X(glInitNames)                   \
  X(glInterleavedArrays)           \
  X(glIsEnabled)                   \
  X(glIsList)                      \
  X(glIsTexture)                   \
  X(glLightModelfv)                \
  X(glLightModeli)                 \
  X(glLightf)                      \
  X(glLightfv)                     \
  X(glLineStipple)                 \
  X(glLineWidth)                   \
  X(glListBase)                    \
  X(glLoadIdentity)                \
  X(glLoadMatrixf)                 \
  X(glLoadName)                    \
  X(glMap1f)                       \
  X(glMap2f)                       \
  X(glMapGrid2f)                   \
  X(glMaterialfv)                  \
  X(glMateriali)                   \
  X(glMatrixMode)                  \
  X(glMultMatrixf)                 \
  X(glNewList)                     \
  X(glNormal3f)                    \
  X(glNormal3fv)                   \
  X(glNormalPointer)               \
  X(glOrtho)                       \
  X(glPixelStorei)                 \
  X(glPointSize)                   \
  X(glPolygonMode)                 \
  X(glPopAttrib)                   \
  X(glPopMatrix)                   \
  X(glPopName)                     \
  X(glPushAttrib)                  \
  X(glPushMatrix)                  \
  X(glPushName)                    \
  X(glRasterPos2f)                 \
  X(glReadBuffer)                  \
  X(glReadPixels)                  \
  X(glRenderMode)                  \
  X(glRotated)                     \
  X(glRotatef)                     \
  X(glScalef)                      \
  X(glSelectBuffer)                \
  X(glShadeModel)                  \
  X(glTexCoord2f)                  \
  X(glTexCoord2fv)                 \
  X(glTexCoord3f)                  \
  X(glTexCoord3fv)                 \
  X(glTexCoord4f)                  \
  X(glTexCoord4fv)                 \
  X(glTexCoordPointer)             \
  X(glTexEnvfv)                    \
  X(glTexEnvi)                     \
  X(glTexGenf)                     \
  X(glTexGenfv)                    \
  X(glTexGeni)                     \
  X(glTexGeniv)                    \
  X(glTexImage2D)                  \
  X(glTexParameteri)               \
  X(glTranslatef)                  \
  X(glVertex2f)                    \
  X(glVertex3f)                    \
  X(glVertex3fv)                   \
  X(glVertex4f)                    \
  X(glVertex4fv)                   \
  X(glVertexPointer)               \
  X(glViewport)

// The GLU functions the library calls, bound at link time.
#define GFX3D_GLU_FUNCTIONS(X) \
  X(gluBeginCurve)             \
  X(gluBuild2DMipmaps)         \
  X(gluCylinder)               \
  X(gluDeleteNurbsRenderer)    \
  X(gluDeleteQuadric)          \
  X(gluDeleteTess)             \
  X(gluDisk)                   \
  X(gluEndCurve)               \
  X(gluErrorString)            \
  X(gluGetString)              \
  X(gluLookAt)                 \
  X(gluNewNurbsRenderer)       \
  X(gluNewQuadric)             \
  X(gluNewTess)                \
  X(gluNurbsCallback)          \
  X(gluNurbsCurve)             \
  X(gluNurbsProperty)          \
  X(gluOrtho2D)                \
  X(gluPartialDisk)            \
  X(gluPickMatrix)             \
  X(gluQuadricDrawStyle)       \
  X(gluQuadricNormals)         \
  X(gluQuadricOrientation)     \
  X(gluQuadricTexture)         \
  X(gluScaleImage)             \
  X(gluTessBeginContour)       \
  X(gluTessBeginPolygon)       \
  X(gluTessCallback)           \
  X(gluTessEndContour)         \
  X(gluTessEndPolygon)         \
  X(gluTessNormal)             \
  X(gluTessProperty)           \
  X(gluTessVertex)

// The extension flags read from GL_EXTENSIONS: X(flag, extension name). The
// flags drop the "GL_" prefix (the headers define the full names as macros);
// the three 3DFX ones read TDFX, as a name cannot start with a digit.
#define GFX3D_GL_EXTENSION_FLAGS(X)                                      \
  X(TDFX_multisample, "GL_3DFX_multisample")                             \
  X(TDFX_tbuffer, "GL_3DFX_tbuffer")                                     \
  X(TDFX_texture_compression_FXT1, "GL_3DFX_texture_compression_FXT1")   \
  X(ARB_imaging, "GL_ARB_imaging")                                       \
  X(ARB_multisample, "GL_ARB_multisample")                               \
  X(ARB_multitexture, "GL_ARB_multitexture")                             \
  X(ARB_depth_texture, "GL_ARB_depth_texture")                           \
  X(ARB_shadow, "GL_ARB_shadow")                                         \
  X(ARB_texture_border_clamp, "GL_ARB_texture_border_clamp")             \
  X(ARB_texture_compression, "GL_ARB_texture_compression")               \
  X(ARB_texture_cube_map, "GL_ARB_texture_cube_map")                     \
  X(ARB_transpose_matrix, "GL_ARB_transpose_matrix")                     \
  X(ARB_vertex_blend, "GL_ARB_vertex_blend")                             \
  X(ARB_point_parameters, "GL_ARB_point_parameters")                     \
  X(ARB_texture_env_combine, "GL_ARB_texture_env_combine")               \
  X(ARB_texture_env_crossbar, "GL_ARB_texture_env_crossbar")             \
  X(ARB_texture_env_dot3, "GL_ARB_texture_env_dot3")                     \
  X(ARB_vertex_program, "GL_ARB_vertex_program")                         \
  X(ARB_vertex_buffer_object, "GL_ARB_vertex_buffer_object")             \
  X(ARB_shader_objects, "GL_ARB_shader_objects")                         \
  X(ARB_vertex_shader, "GL_ARB_vertex_shader")                           \
  X(ARB_fragment_shader, "GL_ARB_fragment_shader")                       \
  X(ARB_fragment_program, "GL_ARB_fragment_program")                     \
  X(EXT_abgr, "GL_EXT_abgr")                                             \
  X(EXT_bgra, "GL_EXT_bgra")                                             \
  X(EXT_blend_color, "GL_EXT_blend_color")                               \
  X(EXT_blend_func_separate, "GL_EXT_blend_func_separate")               \
  X(EXT_blend_logic_op, "GL_EXT_blend_logic_op")                         \
  X(EXT_blend_minmax, "GL_EXT_blend_minmax")                             \
  X(EXT_blend_subtract, "GL_EXT_blend_subtract")                         \
  X(EXT_Cg_shader, "GL_EXT_Cg_shader")                                   \
  X(EXT_compiled_vertex_array, "GL_EXT_compiled_vertex_array")           \
  X(EXT_copy_texture, "GL_EXT_copy_texture")                             \
  X(EXT_draw_range_elements, "GL_EXT_draw_range_elements")               \
  X(EXT_fog_coord, "GL_EXT_fog_coord")                                   \
  X(EXT_multi_draw_arrays, "GL_EXT_multi_draw_arrays")                   \
  X(EXT_multisample, "GL_EXT_multisample")                               \
  X(EXT_packed_pixels, "GL_EXT_packed_pixels")                           \
  X(EXT_paletted_texture, "GL_EXT_paletted_texture")                     \
  X(EXT_polygon_offset, "GL_EXT_polygon_offset")                         \
  X(EXT_rescale_normal, "GL_EXT_rescale_normal")                         \
  X(EXT_secondary_color, "GL_EXT_secondary_color")                       \
  X(EXT_separate_specular_color, "GL_EXT_separate_specular_color")       \
  X(EXT_shared_texture_palette, "GL_EXT_shared_texture_palette")         \
  X(EXT_stencil_wrap, "GL_EXT_stencil_wrap")                             \
  X(EXT_stencil_two_side, "GL_EXT_stencil_two_side")                     \
  X(EXT_texture_compression_s3tc, "GL_EXT_texture_compression_s3tc")     \
  X(EXT_texture_cube_map, "GL_EXT_texture_cube_map")                     \
  X(EXT_texture_edge_clamp, "GL_EXT_texture_edge_clamp")                 \
  X(EXT_texture_env_add, "GL_EXT_texture_env_add")                       \
  X(EXT_texture_env_combine, "GL_EXT_texture_env_combine")               \
  X(EXT_texture_filter_anisotropic, "GL_EXT_texture_filter_anisotropic") \
  X(EXT_texture_lod_bias, "GL_EXT_texture_lod_bias")                     \
  X(EXT_texture_object, "GL_EXT_texture_object")                         \
  X(EXT_texture3D, "GL_EXT_texture3D")                                   \
  X(EXT_clip_volume_hint, "GL_EXT_clip_volume_hint")                     \
  X(HP_occlusion_test, "GL_HP_occlusion_test")                           \
  X(IBM_rasterpos_clip, "GL_IBM_rasterpos_clip")                         \
  X(KTX_buffer_region, "GL_KTX_buffer_region")                           \
  X(MESA_resize_buffers, "GL_MESA_resize_buffers")                       \
  X(NV_blend_square, "GL_NV_blend_square")                               \
  X(NV_fog_distance, "GL_NV_fog_distance")                               \
  X(NV_light_max_exponent, "GL_NV_light_max_exponent")                   \
  X(NV_register_combiners, "GL_NV_register_combiners")                   \
  X(NV_texgen_reflection, "GL_NV_texgen_reflection")                     \
  X(NV_texture_env_combine4, "GL_NV_texture_env_combine4")               \
  X(NV_vertex_array_range, "GL_NV_vertex_array_range")                   \
  X(NV_multisample_filter_hint, "GL_NV_multisample_filter_hint")         \
  X(NV_vertex_program, "GL_NV_vertex_program")                           \
  X(NV_fence, "GL_NV_fence")                                             \
  X(NV_occlusion_query, "GL_NV_occlusion_query")                         \
  X(NV_texture_rectangle, "GL_NV_texture_rectangle")                     \
  X(ATI_texture_float, "GL_ATI_texture_float")                           \
  X(ATI_draw_buffers, "GL_ATI_draw_buffers")                             \
  X(SGI_color_matrix, "GL_SGI_color_matrix")                             \
  X(SGIS_generate_mipmap, "GL_SGIS_generate_mipmap")                     \
  X(SGIS_multisample, "GL_SGIS_multisample")                             \
  X(SGIS_texture_border_clamp, "GL_SGIS_texture_border_clamp")           \
  X(SGIS_texture_color_mask, "GL_SGIS_texture_color_mask")               \
  X(SGIS_texture_edge_clamp, "GL_SGIS_texture_edge_clamp")               \
  X(SGIS_texture_lod, "GL_SGIS_texture_lod")                             \
  X(SGIX_depth_texture, "GL_SGIX_depth_texture")                         \
  X(SGIX_shadow, "GL_SGIX_shadow")                                       \
  X(SGIX_shadow_ambient, "GL_SGIX_shadow_ambient")                       \
  X(WIN_swap_hint, "GL_WIN_swap_hint")

struct TGLFunctionTable {
#define GFX3D_DECLARE_FUNCTION(name) decltype(&::name) name = nullptr;
  GFX3D_GL_CORE_FUNCTIONS(GFX3D_DECLARE_FUNCTION)
  GFX3D_GLU_FUNCTIONS(GFX3D_DECLARE_FUNCTION)
#undef GFX3D_DECLARE_FUNCTION
  // Null unless the current context's version or extensions offer them (GLVND
  // hands out a stub for any "gl" name, so availability follows the strings).
#define GFX3D_DECLARE_EXTENSION(name, type, offeredBy) type name = nullptr;
  GFX3D_GL_EXTENSION_FUNCTIONS(GFX3D_DECLARE_EXTENSION)
#undef GFX3D_DECLARE_EXTENSION
};

struct TGLExtensionFlags {
  bool VERSION_1_0 = false, VERSION_1_1 = false, VERSION_1_2 = false;
  bool VERSION_1_3 = false, VERSION_1_4 = false, VERSION_1_5 = false;
  bool GLU_1_1 = false, GLU_1_2 = false, GLU_1_3 = false;
#define GFX3D_DECLARE_FLAG(flag, name) bool flag = false;
  GFX3D_GL_EXTENSION_FLAGS(GFX3D_DECLARE_FLAG)
#undef GFX3D_DECLARE_FLAG
  bool GLU_EXT_texture = false, GLU_EXT_object_space_tessellation = false, GLU_EXT_nurbs_tessellation = false;
  // The platform (GLX) flags, under the names the rest of the library asks for.
  bool WGL_ARB_multisample = false, WGL_EXT_swap_control = false, WGL_ARB_buffer_region = false;
  bool WGL_ARB_extensions_string = false, WGL_ARB_pbuffer = false, WGL_ARB_pixel_format = false;
  bool WGL_ATI_pixel_format_float = false;
};

// The table every call goes through; the platform's own unless a test installed another.
TGLFunctionTable& GL();
// The table of the linked libraries, with the extension entry points resolved last.
TGLFunctionTable& PlatformGLFunctions();
// Routes every call through table; null restores the platform's table.
void InstallGLFunctionTable(TGLFunctionTable* table);

// The flags of the context made current last with a new frame-buffer configuration.
TGLExtensionFlags& GLFlags();

// "1.5.2 Vendor" gives 1 and 5; a text without "<digit>.<digit>" gives 0 and 0.
void ParseVersionString(std::string_view text, int& major, int& minor);
// True when name occurs in extensions as a whole blank-separated entry.
bool HasExtension(std::string_view name, std::string_view extensions);
// Plain substring test, as the platform's extension strings are read.
bool StringContains(std::string_view name, std::string_view text);

// One entry point beyond OpenGL 1.1: its name, what offers it, and its slot in a table.
struct TGLExtensionEntryPoint {
  const char* name;
  const char* offeredBy;
  void* (*get)(const TGLFunctionTable& table);
  void (*set)(TGLFunctionTable& table, void* address);
};
// All of them, in the order they are resolved.
const std::vector<TGLExtensionEntryPoint>& GLExtensionEntryPoints();
// Whether any of the blank-separated names in offeredBy is present: "GL_VERSION_m_n"
// against the GL version, "GLU_..." against the GLU extensions, others against the GL ones.
bool EntryPointOffered(std::string_view offeredBy, int major, int minor, std::string_view glExtensions,
                       std::string_view gluExtensions);

// Null for a name the driver does not export. Needs a current context.
void* GetGLProcAddress(const char* name);
// Resolves the entry points the current context offers into the platform
// table (null for the others), then the platform's own (GLX) ones.
void LoadGLExtensionEntryPoints();
// Sets the version and extension flags from the current context's strings,
// then the platform's own (GLX) flags.
void ReadGLExtensionFlags();
// The platform half of the two above, on its own: run alone when a context of
// another configuration of the same driver becomes current.
void LoadGLXExtensionEntryPoints();
void ReadGLXExtensionFlags();

// Loads libGL and libGLU by name; false (both unloaded) unless both load.
bool LoadOpenGLLibrariesFrom(const char* glName, const char* gluName);
// What the loader said of the last load that failed.
const std::string& OpenGLLibrariesLoadError();
// The libraries LoadOpenGLLibraries loads, the system's unless changed, like
// the library's other texts.
struct TOpenGLLibraryNames {
  std::string gl = "libGL.so.1";
  std::string glu = "libGLU.so.1";
};
TOpenGLLibraryNames& OpenGLLibraryNames();
// Keeps the libraries already loaded, so changed names count from the next load after an unload.
bool LoadOpenGLLibraries();
void UnloadOpenGLLibraries();
bool OpenGLLibrariesLoaded();
// Mesa's GLX never needs the resize-buffers path.
inline bool HasMesaResizeBuffers() { return false; }
