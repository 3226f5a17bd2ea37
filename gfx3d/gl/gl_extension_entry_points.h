// The entry points beyond OpenGL 1.1, in the order they are resolved, each
// with what offers it: "GL_VERSION_1_2" (a GL version), a GL extension, a
// GLU extension ("GLU_..."), or several of these, any one of which will do.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

// The imaging subset's pointer types are those of GL's own declarations.
// Pointer types the system headers lack: names kept from older drivers (two
// with their historical misspelling) and entry points of other platforms.
typedef void(APIENTRYP PFNGLARRAYELEMENTARRAYEXTPROC)(GLenum mode, GLsizei count, const void* pi);
typedef void(APIENTRYP PFNGLGETCOLORTABLEPAMETERIVEXTPROC)(GLenum target, GLenum pname, GLint* params);
typedef void(APIENTRYP PFNGLGETCOLORTABLEPAMETERFVEXTPROC)(GLenum target, GLenum pname, GLfloat* params);
typedef void(APIENTRYP PFNGLADDSWAPHINTRECTWINPROC)(GLint x, GLint y, GLsizei width, GLsizei height);
typedef void(APIENTRYP PFNGLSAMPLEPASSARBPROC)(GLenum pass);
typedef void*(APIENTRYP PFNWGLALLOCATEMEMORYNVPROC)(GLsizei size, GLfloat readFrequency, GLfloat writeFrequency,
                                                    GLfloat priority);
typedef void(APIENTRYP PFNWGLFREEMEMORYNVPROC)(void* pointer);
typedef void(APIENTRYP PFNGLUNURBSCALLBACKDATAEXTPROC)(GLUnurbs* nurbs, GLvoid* userData);
typedef GLUnurbs*(APIENTRYP PFNGLUNEWNURBSTESSELLATOREXTPROC)();
typedef void(APIENTRYP PFNGLUDELETENURBSTESSELLATOREXTPROC)(GLUnurbs* nurbs);

// X(name, pointer type, offered by)
#define GFX3D_GL_EXTENSION_FUNCTIONS(X)                                                                                \
  X(glDrawRangeElements, PFNGLDRAWRANGEELEMENTSPROC, "GL_VERSION_1_2")                                                 \
  X(glTexImage3D, PFNGLTEXIMAGE3DPROC, "GL_VERSION_1_2")                                                               \
  X(glBlendColor, PFNGLBLENDCOLORPROC, "GL_VERSION_1_4 GL_ARB_imaging")                                                \
  X(glBlendEquation, PFNGLBLENDEQUATIONPROC, "GL_VERSION_1_4 GL_ARB_imaging")                                          \
  X(glColorSubTable, decltype(&::glColorSubTable), "GL_ARB_imaging")                                                   \
  X(glCopyColorSubTable, decltype(&::glCopyColorSubTable), "GL_ARB_imaging")                                           \
  X(glCopyColorTable, decltype(&::glCopyColorTable), "GL_ARB_imaging")                                                 \
  X(glColorTableParameteriv, decltype(&::glColorTableParameteriv), "GL_ARB_imaging")                                   \
  X(glColorTableParameterfv, decltype(&::glColorTableParameterfv), "GL_ARB_imaging")                                   \
  X(glGetColorTable, decltype(&::glGetColorTable), "GL_ARB_imaging")                                                   \
  X(glGetColorTableParameteriv, decltype(&::glGetColorTableParameteriv), "GL_ARB_imaging")                             \
  X(glGetColorTableParameterfv, decltype(&::glGetColorTableParameterfv), "GL_ARB_imaging")                             \
  X(glConvolutionFilter1D, decltype(&::glConvolutionFilter1D), "GL_ARB_imaging")                                       \
  X(glConvolutionFilter2D, decltype(&::glConvolutionFilter2D), "GL_ARB_imaging")                                       \
  X(glCopyConvolutionFilter1D, decltype(&::glCopyConvolutionFilter1D), "GL_ARB_imaging")                               \
  X(glCopyConvolutionFilter2D, decltype(&::glCopyConvolutionFilter2D), "GL_ARB_imaging")                               \
  X(glGetConvolutionFilter, decltype(&::glGetConvolutionFilter), "GL_ARB_imaging")                                     \
  X(glSeparableFilter2D, decltype(&::glSeparableFilter2D), "GL_ARB_imaging")                                           \
  X(glGetSeparableFilter, decltype(&::glGetSeparableFilter), "GL_ARB_imaging")                                         \
  X(glConvolutionParameteri, decltype(&::glConvolutionParameteri), "GL_ARB_imaging")                                   \
  X(glConvolutionParameteriv, decltype(&::glConvolutionParameteriv), "GL_ARB_imaging")                                 \
  X(glConvolutionParameterf, decltype(&::glConvolutionParameterf), "GL_ARB_imaging")                                   \
  X(glConvolutionParameterfv, decltype(&::glConvolutionParameterfv), "GL_ARB_imaging")                                 \
  X(glGetConvolutionParameteriv, decltype(&::glGetConvolutionParameteriv), "GL_ARB_imaging")                           \
  X(glGetConvolutionParameterfv, decltype(&::glGetConvolutionParameterfv), "GL_ARB_imaging")                           \
  X(glHistogram, decltype(&::glHistogram), "GL_ARB_imaging")                                                           \
  X(glResetHistogram, decltype(&::glResetHistogram), "GL_ARB_imaging")                                                 \
  X(glGetHistogram, decltype(&::glGetHistogram), "GL_ARB_imaging")                                                     \
  X(glGetHistogramParameteriv, decltype(&::glGetHistogramParameteriv), "GL_ARB_imaging")                               \
  X(glGetHistogramParameterfv, decltype(&::glGetHistogramParameterfv), "GL_ARB_imaging")                               \
  X(glMinmax, decltype(&::glMinmax), "GL_ARB_imaging")                                                                 \
  X(glResetMinmax, decltype(&::glResetMinmax), "GL_ARB_imaging")                                                       \
  X(glGetMinmax, decltype(&::glGetMinmax), "GL_ARB_imaging")                                                           \
  X(glGetMinmaxParameteriv, decltype(&::glGetMinmaxParameteriv), "GL_ARB_imaging")                                     \
  X(glGetMinmaxParameterfv, decltype(&::glGetMinmaxParameterfv), "GL_ARB_imaging")                                     \
  X(glArrayElementArrayEXT, PFNGLARRAYELEMENTARRAYEXTPROC, "GL_EXT_vertex_array")                                      \
  X(glColorTableEXT, PFNGLCOLORTABLEEXTPROC, "GL_EXT_paletted_texture")                                                \
  X(glColorSubTableEXT, PFNGLCOLORSUBTABLEEXTPROC, "GL_EXT_paletted_texture")                                          \
  X(glGetColorTableEXT, PFNGLGETCOLORTABLEEXTPROC, "GL_EXT_paletted_texture")                                          \
  X(glGetColorTablePameterivEXT, PFNGLGETCOLORTABLEPAMETERIVEXTPROC, "GL_EXT_paletted_texture")                        \
  X(glGetColorTablePameterfvEXT, PFNGLGETCOLORTABLEPAMETERFVEXTPROC, "GL_EXT_paletted_texture")                        \
  X(glCopyTexImage1DEXT, PFNGLCOPYTEXIMAGE1DEXTPROC, "GL_EXT_copy_texture")                                            \
  X(glCopyTexSubImage1DEXT, PFNGLCOPYTEXSUBIMAGE1DEXTPROC, "GL_EXT_copy_texture")                                      \
  X(glCopyTexImage2DEXT, PFNGLCOPYTEXIMAGE2DEXTPROC, "GL_EXT_copy_texture")                                            \
  X(glCopyTexSubImage2DEXT, PFNGLCOPYTEXSUBIMAGE2DEXTPROC, "GL_EXT_copy_texture")                                      \
  X(glCopyTexSubImage3DEXT, PFNGLCOPYTEXSUBIMAGE3DEXTPROC, "GL_EXT_copy_texture")                                      \
  X(glIndexFuncEXT, PFNGLINDEXFUNCEXTPROC, "GL_EXT_index_func")                                                        \
  X(glIndexMaterialEXT, PFNGLINDEXMATERIALEXTPROC, "GL_EXT_index_material")                                            \
  X(glPolygonOffsetEXT, PFNGLPOLYGONOFFSETEXTPROC, "GL_EXT_polygon_offset")                                            \
  X(glTexSubImage1DEXT, PFNGLTEXSUBIMAGE1DEXTPROC, "GL_EXT_subtexture")                                                \
  X(glTexSubImage2DEXT, PFNGLTEXSUBIMAGE2DEXTPROC, "GL_EXT_subtexture")                                                \
  X(glTexSubImage3DEXT, PFNGLTEXSUBIMAGE3DEXTPROC, "GL_EXT_texture3D")                                                 \
  X(glGenTexturesEXT, PFNGLGENTEXTURESEXTPROC, "GL_EXT_texture_object")                                                \
  X(glDeleteTexturesEXT, PFNGLDELETETEXTURESEXTPROC, "GL_EXT_texture_object")                                          \
  X(glBindTextureEXT, PFNGLBINDTEXTUREEXTPROC, "GL_EXT_texture_object")                                                \
  X(glPrioritizeTexturesEXT, PFNGLPRIORITIZETEXTURESEXTPROC, "GL_EXT_texture_object")                                  \
  X(glAreTexturesResidentEXT, PFNGLARETEXTURESRESIDENTEXTPROC, "GL_EXT_texture_object")                                \
  X(glIsTextureEXT, PFNGLISTEXTUREEXTPROC, "GL_EXT_texture_object")                                                    \
  X(glLockArraysEXT, PFNGLLOCKARRAYSEXTPROC, "GL_EXT_compiled_vertex_array")                                           \
  X(glUnlockArraysEXT, PFNGLUNLOCKARRAYSEXTPROC, "GL_EXT_compiled_vertex_array")                                       \
  X(glMultiTexCoord1dARB, PFNGLMULTITEXCOORD1DARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord1dVARB, PFNGLMULTITEXCOORD1DVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord1fARB, PFNGLMULTITEXCOORD1FARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord1fVARB, PFNGLMULTITEXCOORD1FVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord1iARB, PFNGLMULTITEXCOORD1IARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord1iVARB, PFNGLMULTITEXCOORD1IVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord1sARB, PFNGLMULTITEXCOORD1SARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord1sVARB, PFNGLMULTITEXCOORD1SVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord2dARB, PFNGLMULTITEXCOORD2DARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord2dvARB, PFNGLMULTITEXCOORD2DVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord2fARB, PFNGLMULTITEXCOORD2FARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord2fvARB, PFNGLMULTITEXCOORD2FVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord2iARB, PFNGLMULTITEXCOORD2IARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord2ivARB, PFNGLMULTITEXCOORD2IVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord2sARB, PFNGLMULTITEXCOORD2SARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord2svARB, PFNGLMULTITEXCOORD2SVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord3dARB, PFNGLMULTITEXCOORD3DARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord3dvARB, PFNGLMULTITEXCOORD3DVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord3fARB, PFNGLMULTITEXCOORD3FARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord3fvARB, PFNGLMULTITEXCOORD3FVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord3iARB, PFNGLMULTITEXCOORD3IARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord3ivARB, PFNGLMULTITEXCOORD3IVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord3sARB, PFNGLMULTITEXCOORD3SARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord3svARB, PFNGLMULTITEXCOORD3SVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord4dARB, PFNGLMULTITEXCOORD4DARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord4dvARB, PFNGLMULTITEXCOORD4DVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord4fARB, PFNGLMULTITEXCOORD4FARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord4fvARB, PFNGLMULTITEXCOORD4FVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord4iARB, PFNGLMULTITEXCOORD4IARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord4ivARB, PFNGLMULTITEXCOORD4IVARBPROC, "GL_ARB_multitexture")                                        \
  X(glMultiTexCoord4sARB, PFNGLMULTITEXCOORD4SARBPROC, "GL_ARB_multitexture")                                          \
  X(glMultiTexCoord4svARB, PFNGLMULTITEXCOORD4SVARBPROC, "GL_ARB_multitexture")                                        \
  X(glActiveTextureARB, PFNGLACTIVETEXTUREARBPROC, "GL_ARB_multitexture")                                              \
  X(glClientActiveTextureARB, PFNGLCLIENTACTIVETEXTUREARBPROC, "GL_ARB_multitexture")                                  \
  X(glActiveStencilFaceEXT, PFNGLACTIVESTENCILFACEEXTPROC, "GL_EXT_stencil_two_side")                                  \
  X(glAddSwapHintRectWIN, PFNGLADDSWAPHINTRECTWINPROC, "GL_WIN_swap_hint")                                             \
  X(glPointParameterfARB, PFNGLPOINTPARAMETERFARBPROC, "GL_ARB_point_parameters")                                      \
  X(glPointParameterfvARB, PFNGLPOINTPARAMETERFVARBPROC, "GL_ARB_point_parameters")                                    \
  X(glLoadTransposeMatrixfARB, PFNGLLOADTRANSPOSEMATRIXFARBPROC, "GL_ARB_transpose_matrix")                            \
  X(glLoadTransposeMatrixdARB, PFNGLLOADTRANSPOSEMATRIXDARBPROC, "GL_ARB_transpose_matrix")                            \
  X(glMultTransposeMatrixfARB, PFNGLMULTTRANSPOSEMATRIXFARBPROC, "GL_ARB_transpose_matrix")                            \
  X(glMultTransposeMatrixdARB, PFNGLMULTTRANSPOSEMATRIXDARBPROC, "GL_ARB_transpose_matrix")                            \
  X(glSampleCoverageARB, PFNGLSAMPLECOVERAGEARBPROC, "GL_ARB_multisample")                                             \
  X(glSamplePassARB, PFNGLSAMPLEPASSARBPROC, "GL_ARB_multisample")                                                     \
  X(glCompressedTexImage3DARB, PFNGLCOMPRESSEDTEXIMAGE3DARBPROC, "GL_ARB_texture_compression")                         \
  X(glCompressedTexImage2DARB, PFNGLCOMPRESSEDTEXIMAGE2DARBPROC, "GL_ARB_texture_compression")                         \
  X(glCompressedTexImage1DARB, PFNGLCOMPRESSEDTEXIMAGE1DARBPROC, "GL_ARB_texture_compression")                         \
  X(glCompressedTexSubImage3DARB, PFNGLCOMPRESSEDTEXSUBIMAGE3DARBPROC, "GL_ARB_texture_compression")                   \
  X(glCompressedTexSubImage2DARB, PFNGLCOMPRESSEDTEXSUBIMAGE2DARBPROC, "GL_ARB_texture_compression")                   \
  X(glCompressedTexSubImage1DARB, PFNGLCOMPRESSEDTEXSUBIMAGE1DARBPROC, "GL_ARB_texture_compression")                   \
  X(glGetCompressedTexImageARB, PFNGLGETCOMPRESSEDTEXIMAGEARBPROC, "GL_ARB_texture_compression")                       \
  X(glVertexAttrib1sARB, PFNGLVERTEXATTRIB1SARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib1fARB, PFNGLVERTEXATTRIB1FARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib1dARB, PFNGLVERTEXATTRIB1DARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib2sARB, PFNGLVERTEXATTRIB2SARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib2fARB, PFNGLVERTEXATTRIB2FARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib2dARB, PFNGLVERTEXATTRIB2DARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib3sARB, PFNGLVERTEXATTRIB3SARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib3fARB, PFNGLVERTEXATTRIB3FARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib3dARB, PFNGLVERTEXATTRIB3DARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib4sARB, PFNGLVERTEXATTRIB4SARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib4fARB, PFNGLVERTEXATTRIB4FARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib4dARB, PFNGLVERTEXATTRIB4DARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                     \
  X(glVertexAttrib4NubARB, PFNGLVERTEXATTRIB4NUBARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                 \
  X(glVertexAttrib1svARB, PFNGLVERTEXATTRIB1SVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib1fvARB, PFNGLVERTEXATTRIB1FVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib1dvARB, PFNGLVERTEXATTRIB1DVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib2svARB, PFNGLVERTEXATTRIB2SVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib2fvARB, PFNGLVERTEXATTRIB2FVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib2dvARB, PFNGLVERTEXATTRIB2DVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib3svARB, PFNGLVERTEXATTRIB3SVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib3fvARB, PFNGLVERTEXATTRIB3FVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib3dvARB, PFNGLVERTEXATTRIB3DVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib4bvARB, PFNGLVERTEXATTRIB4BVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib4svARB, PFNGLVERTEXATTRIB4SVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib4ivARB, PFNGLVERTEXATTRIB4IVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib4ubvARB, PFNGLVERTEXATTRIB4UBVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                 \
  X(glVertexAttrib4usvARB, PFNGLVERTEXATTRIB4USVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                 \
  X(glVertexAttrib4uivARB, PFNGLVERTEXATTRIB4UIVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                 \
  X(glVertexAttrib4fvARB, PFNGLVERTEXATTRIB4FVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib4dvARB, PFNGLVERTEXATTRIB4DVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                   \
  X(glVertexAttrib4NbvARB, PFNGLVERTEXATTRIB4NBVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                 \
  X(glVertexAttrib4NsvARB, PFNGLVERTEXATTRIB4NSVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                 \
  X(glVertexAttrib4NivARB, PFNGLVERTEXATTRIB4NIVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")                 \
  X(glVertexAttrib4NubvARB, PFNGLVERTEXATTRIB4NUBVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")               \
  X(glVertexAttrib4NusvARB, PFNGLVERTEXATTRIB4NUSVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")               \
  X(glVertexAttrib4NuivARB, PFNGLVERTEXATTRIB4NUIVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")               \
  X(glVertexAttribPointerARB, PFNGLVERTEXATTRIBPOINTERARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")           \
  X(glEnableVertexAttribArrayARB, PFNGLENABLEVERTEXATTRIBARRAYARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")   \
  X(glDisableVertexAttribArrayARB, PFNGLDISABLEVERTEXATTRIBARRAYARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader") \
  X(glProgramStringARB, PFNGLPROGRAMSTRINGARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")                    \
  X(glBindProgramARB, PFNGLBINDPROGRAMARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")                        \
  X(glDeleteProgramsARB, PFNGLDELETEPROGRAMSARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")                  \
  X(glGenProgramsARB, PFNGLGENPROGRAMSARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")                        \
  X(glProgramEnvParameter4dARB, PFNGLPROGRAMENVPARAMETER4DARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")    \
  X(glProgramEnvParameter4dvARB, PFNGLPROGRAMENVPARAMETER4DVARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")  \
  X(glProgramEnvParameter4fARB, PFNGLPROGRAMENVPARAMETER4FARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")    \
  X(glProgramEnvParameter4fvARB, PFNGLPROGRAMENVPARAMETER4FVARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")  \
  X(glProgramLocalParameter4dARB, PFNGLPROGRAMLOCALPARAMETER4DARBPROC,                                                 \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glProgramLocalParameter4dvARB, PFNGLPROGRAMLOCALPARAMETER4DVARBPROC,                                               \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glProgramLocalParameter4fARB, PFNGLPROGRAMLOCALPARAMETER4FARBPROC,                                                 \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glProgramLocalParameter4fvARB, PFNGLPROGRAMLOCALPARAMETER4FVARBPROC,                                               \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glGetProgramEnvParameterdvARB, PFNGLGETPROGRAMENVPARAMETERDVARBPROC,                                               \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glGetProgramEnvParameterfvARB, PFNGLGETPROGRAMENVPARAMETERFVARBPROC,                                               \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glGetProgramLocalParameterdvARB, PFNGLGETPROGRAMLOCALPARAMETERDVARBPROC,                                           \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glGetProgramLocalParameterfvARB, PFNGLGETPROGRAMLOCALPARAMETERFVARBPROC,                                           \
    "GL_ARB_vertex_program GL_ARB_fragment_program")                                                                   \
  X(glGetProgramivARB, PFNGLGETPROGRAMIVARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")                      \
  X(glGetProgramStringARB, PFNGLGETPROGRAMSTRINGARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")              \
  X(glGetVertexAttribdvARB, PFNGLGETVERTEXATTRIBDVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")               \
  X(glGetVertexAttribfvARB, PFNGLGETVERTEXATTRIBFVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")               \
  X(glGetVertexAttribivARB, PFNGLGETVERTEXATTRIBIVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")               \
  X(glGetVertexAttribPointervARB, PFNGLGETVERTEXATTRIBPOINTERVARBPROC, "GL_ARB_vertex_program GL_ARB_vertex_shader")   \
  X(glIsProgramARB, PFNGLISPROGRAMARBPROC, "GL_ARB_vertex_program GL_ARB_fragment_program")                            \
  X(glBindBufferARB, PFNGLBINDBUFFERARBPROC, "GL_ARB_vertex_buffer_object")                                            \
  X(glDeleteBuffersARB, PFNGLDELETEBUFFERSARBPROC, "GL_ARB_vertex_buffer_object")                                      \
  X(glGenBuffersARB, PFNGLGENBUFFERSARBPROC, "GL_ARB_vertex_buffer_object")                                            \
  X(glIsBufferARB, PFNGLISBUFFERARBPROC, "GL_ARB_vertex_buffer_object")                                                \
  X(glBufferDataARB, PFNGLBUFFERDATAARBPROC, "GL_ARB_vertex_buffer_object")                                            \
  X(glBufferSubDataARB, PFNGLBUFFERSUBDATAARBPROC, "GL_ARB_vertex_buffer_object")                                      \
  X(glGetBufferSubDataARB, PFNGLGETBUFFERSUBDATAARBPROC, "GL_ARB_vertex_buffer_object")                                \
  X(glMapBufferARB, PFNGLMAPBUFFERARBPROC, "GL_ARB_vertex_buffer_object")                                              \
  X(glUnmapBufferARB, PFNGLUNMAPBUFFERARBPROC, "GL_ARB_vertex_buffer_object")                                          \
  X(glGetBufferParameterivARB, PFNGLGETBUFFERPARAMETERIVARBPROC, "GL_ARB_vertex_buffer_object")                        \
  X(glGetBufferPointervARB, PFNGLGETBUFFERPOINTERVARBPROC, "GL_ARB_vertex_buffer_object")                              \
  X(glDeleteObjectARB, PFNGLDELETEOBJECTARBPROC, "GL_ARB_shader_objects")                                              \
  X(glGetHandleARB, PFNGLGETHANDLEARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glDetachObjectARB, PFNGLDETACHOBJECTARBPROC, "GL_ARB_shader_objects")                                              \
  X(glCreateShaderObjectARB, PFNGLCREATESHADEROBJECTARBPROC, "GL_ARB_shader_objects")                                  \
  X(glShaderSourceARB, PFNGLSHADERSOURCEARBPROC, "GL_ARB_shader_objects")                                              \
  X(glCompileShaderARB, PFNGLCOMPILESHADERARBPROC, "GL_ARB_shader_objects")                                            \
  X(glCreateProgramObjectARB, PFNGLCREATEPROGRAMOBJECTARBPROC, "GL_ARB_shader_objects")                                \
  X(glAttachObjectARB, PFNGLATTACHOBJECTARBPROC, "GL_ARB_shader_objects")                                              \
  X(glLinkProgramARB, PFNGLLINKPROGRAMARBPROC, "GL_ARB_shader_objects")                                                \
  X(glUseProgramObjectARB, PFNGLUSEPROGRAMOBJECTARBPROC, "GL_ARB_shader_objects")                                      \
  X(glValidateProgramARB, PFNGLVALIDATEPROGRAMARBPROC, "GL_ARB_shader_objects")                                        \
  X(glUniform1fARB, PFNGLUNIFORM1FARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform2fARB, PFNGLUNIFORM2FARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform3fARB, PFNGLUNIFORM3FARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform4fARB, PFNGLUNIFORM4FARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform1iARB, PFNGLUNIFORM1IARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform2iARB, PFNGLUNIFORM2IARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform3iARB, PFNGLUNIFORM3IARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform4iARB, PFNGLUNIFORM4IARBPROC, "GL_ARB_shader_objects")                                                    \
  X(glUniform1fvARB, PFNGLUNIFORM1FVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniform2fvARB, PFNGLUNIFORM2FVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniform3fvARB, PFNGLUNIFORM3FVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniform4fvARB, PFNGLUNIFORM4FVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniform1ivARB, PFNGLUNIFORM1IVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniform2ivARB, PFNGLUNIFORM2IVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniform3ivARB, PFNGLUNIFORM3IVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniform4ivARB, PFNGLUNIFORM4IVARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glUniformMatrix2fvARB, PFNGLUNIFORMMATRIX2FVARBPROC, "GL_ARB_shader_objects")                                      \
  X(glUniformMatrix3fvARB, PFNGLUNIFORMMATRIX3FVARBPROC, "GL_ARB_shader_objects")                                      \
  X(glUniformMatrix4fvARB, PFNGLUNIFORMMATRIX4FVARBPROC, "GL_ARB_shader_objects")                                      \
  X(glGetObjectParameterfvARB, PFNGLGETOBJECTPARAMETERFVARBPROC, "GL_ARB_shader_objects")                              \
  X(glGetObjectParameterivARB, PFNGLGETOBJECTPARAMETERIVARBPROC, "GL_ARB_shader_objects")                              \
  X(glGetInfoLogARB, PFNGLGETINFOLOGARBPROC, "GL_ARB_shader_objects")                                                  \
  X(glGetAttachedObjectsARB, PFNGLGETATTACHEDOBJECTSARBPROC, "GL_ARB_shader_objects")                                  \
  X(glGetUniformLocationARB, PFNGLGETUNIFORMLOCATIONARBPROC, "GL_ARB_shader_objects")                                  \
  X(glGetActiveUniformARB, PFNGLGETACTIVEUNIFORMARBPROC, "GL_ARB_shader_objects")                                      \
  X(glGetUniformfvARB, PFNGLGETUNIFORMFVARBPROC, "GL_ARB_shader_objects")                                              \
  X(glGetUniformivARB, PFNGLGETUNIFORMIVARBPROC, "GL_ARB_shader_objects")                                              \
  X(glGetShaderSourceARB, PFNGLGETSHADERSOURCEARBPROC, "GL_ARB_shader_objects")                                        \
  X(glBindAttribLocationARB, PFNGLBINDATTRIBLOCATIONARBPROC, "GL_ARB_vertex_shader")                                   \
  X(glGetActiveAttribARB, PFNGLGETACTIVEATTRIBARBPROC, "GL_ARB_vertex_shader")                                         \
  X(glGetAttribLocationARB, PFNGLGETATTRIBLOCATIONARBPROC, "GL_ARB_vertex_shader")                                     \
  X(glBlendColorEXT, PFNGLBLENDCOLOREXTPROC, "GL_EXT_blend_color")                                                     \
  X(glTexImage3DEXT, PFNGLTEXIMAGE3DEXTPROC, "GL_EXT_texture3D")                                                       \
  X(glSampleMaskSGIS, PFNGLSAMPLEMASKSGISPROC, "GL_SGIS_multisample")                                                  \
  X(glSamplePatternSGIS, PFNGLSAMPLEPATTERNSGISPROC, "GL_SGIS_multisample")                                            \
  X(glBlendEquationEXT, PFNGLBLENDEQUATIONEXTPROC, "GL_EXT_blend_minmax GL_EXT_blend_subtract")                        \
  X(glGetColorTableParameterivEXT, PFNGLGETCOLORTABLEPARAMETERIVEXTPROC, "GL_EXT_paletted_texture")                    \
  X(glGetColorTableParameterfvEXT, PFNGLGETCOLORTABLEPARAMETERFVEXTPROC, "GL_EXT_paletted_texture")                    \
  X(glDrawRangeElementsEXT, PFNGLDRAWRANGEELEMENTSEXTPROC, "GL_EXT_draw_range_elements")                               \
  X(glSecondaryColor3bEXT, PFNGLSECONDARYCOLOR3BEXTPROC, "GL_EXT_secondary_color")                                     \
  X(glSecondaryColor3bvEXT, PFNGLSECONDARYCOLOR3BVEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3dEXT, PFNGLSECONDARYCOLOR3DEXTPROC, "GL_EXT_secondary_color")                                     \
  X(glSecondaryColor3dvEXT, PFNGLSECONDARYCOLOR3DVEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3fEXT, PFNGLSECONDARYCOLOR3FEXTPROC, "GL_EXT_secondary_color")                                     \
  X(glSecondaryColor3fvEXT, PFNGLSECONDARYCOLOR3FVEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3iEXT, PFNGLSECONDARYCOLOR3IEXTPROC, "GL_EXT_secondary_color")                                     \
  X(glSecondaryColor3ivEXT, PFNGLSECONDARYCOLOR3IVEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3sEXT, PFNGLSECONDARYCOLOR3SEXTPROC, "GL_EXT_secondary_color")                                     \
  X(glSecondaryColor3svEXT, PFNGLSECONDARYCOLOR3SVEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3ubEXT, PFNGLSECONDARYCOLOR3UBEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3ubvEXT, PFNGLSECONDARYCOLOR3UBVEXTPROC, "GL_EXT_secondary_color")                                 \
  X(glSecondaryColor3uiEXT, PFNGLSECONDARYCOLOR3UIEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3uivEXT, PFNGLSECONDARYCOLOR3UIVEXTPROC, "GL_EXT_secondary_color")                                 \
  X(glSecondaryColor3usEXT, PFNGLSECONDARYCOLOR3USEXTPROC, "GL_EXT_secondary_color")                                   \
  X(glSecondaryColor3usvEXT, PFNGLSECONDARYCOLOR3USVEXTPROC, "GL_EXT_secondary_color")                                 \
  X(glSecondaryColorPointerEXT, PFNGLSECONDARYCOLORPOINTEREXTPROC, "GL_EXT_secondary_color")                           \
  X(glMultiDrawArraysEXT, PFNGLMULTIDRAWARRAYSEXTPROC, "GL_EXT_multi_draw_arrays")                                     \
  X(glMultiDrawElementsEXT, PFNGLMULTIDRAWELEMENTSEXTPROC, "GL_EXT_multi_draw_arrays")                                 \
  X(glFogCoordfEXT, PFNGLFOGCOORDFEXTPROC, "GL_EXT_fog_coord")                                                         \
  X(glFogCoordfvEXT, PFNGLFOGCOORDFVEXTPROC, "GL_EXT_fog_coord")                                                       \
  X(glFogCoorddEXT, PFNGLFOGCOORDDEXTPROC, "GL_EXT_fog_coord")                                                         \
  X(glFogCoorddvEXT, PFNGLFOGCOORDDVEXTPROC, "GL_EXT_fog_coord")                                                       \
  X(glFogCoordPointerEXT, PFNGLFOGCOORDPOINTEREXTPROC, "GL_EXT_fog_coord")                                             \
  X(glBlendFuncSeparateEXT, PFNGLBLENDFUNCSEPARATEEXTPROC, "GL_EXT_blend_func_separate")                               \
  X(glFlushVertexArrayRangeNV, PFNGLFLUSHVERTEXARRAYRANGENVPROC, "GL_NV_vertex_array_range")                           \
  X(glVertexArrayRangeNV, PFNGLVERTEXARRAYRANGENVPROC, "GL_NV_vertex_array_range")                                     \
  X(wglAllocateMemoryNV, PFNWGLALLOCATEMEMORYNVPROC, "GL_NV_vertex_array_range")                                       \
  X(wglFreeMemoryNV, PFNWGLFREEMEMORYNVPROC, "GL_NV_vertex_array_range")                                               \
  X(glCombinerParameterfvNV, PFNGLCOMBINERPARAMETERFVNVPROC, "GL_NV_register_combiners")                               \
  X(glCombinerParameterfNV, PFNGLCOMBINERPARAMETERFNVPROC, "GL_NV_register_combiners")                                 \
  X(glCombinerParameterivNV, PFNGLCOMBINERPARAMETERIVNVPROC, "GL_NV_register_combiners")                               \
  X(glCombinerParameteriNV, PFNGLCOMBINERPARAMETERINVPROC, "GL_NV_register_combiners")                                 \
  X(glCombinerInputNV, PFNGLCOMBINERINPUTNVPROC, "GL_NV_register_combiners")                                           \
  X(glCombinerOutputNV, PFNGLCOMBINEROUTPUTNVPROC, "GL_NV_register_combiners")                                         \
  X(glFinalCombinerInputNV, PFNGLFINALCOMBINERINPUTNVPROC, "GL_NV_register_combiners")                                 \
  X(glGetCombinerInputParameterfvNV, PFNGLGETCOMBINERINPUTPARAMETERFVNVPROC, "GL_NV_register_combiners")               \
  X(glGetCombinerInputParameterivNV, PFNGLGETCOMBINERINPUTPARAMETERIVNVPROC, "GL_NV_register_combiners")               \
  X(glGetCombinerOutputParameterfvNV, PFNGLGETCOMBINEROUTPUTPARAMETERFVNVPROC, "GL_NV_register_combiners")             \
  X(glGetCombinerOutputParameterivNV, PFNGLGETCOMBINEROUTPUTPARAMETERIVNVPROC, "GL_NV_register_combiners")             \
  X(glGetFinalCombinerInputParameterfvNV, PFNGLGETFINALCOMBINERINPUTPARAMETERFVNVPROC, "GL_NV_register_combiners")     \
  X(glGetFinalCombinerInputParameterivNV, PFNGLGETFINALCOMBINERINPUTPARAMETERIVNVPROC, "GL_NV_register_combiners")     \
  X(glGenFencesNV, PFNGLGENFENCESNVPROC, "GL_NV_fence")                                                                \
  X(glDeleteFencesNV, PFNGLDELETEFENCESNVPROC, "GL_NV_fence")                                                          \
  X(glSetFenceNV, PFNGLSETFENCENVPROC, "GL_NV_fence")                                                                  \
  X(glTestFenceNV, PFNGLTESTFENCENVPROC, "GL_NV_fence")                                                                \
  X(glFinishFenceNV, PFNGLFINISHFENCENVPROC, "GL_NV_fence")                                                            \
  X(glIsFenceNV, PFNGLISFENCENVPROC, "GL_NV_fence")                                                                    \
  X(glGetFenceivNV, PFNGLGETFENCEIVNVPROC, "GL_NV_fence")                                                              \
  X(glGenOcclusionQueriesNV, PFNGLGENOCCLUSIONQUERIESNVPROC, "GL_NV_occlusion_query")                                  \
  X(glDeleteOcclusionQueriesNV, PFNGLDELETEOCCLUSIONQUERIESNVPROC, "GL_NV_occlusion_query")                            \
  X(glIsOcclusionQueryNV, PFNGLISOCCLUSIONQUERYNVPROC, "GL_NV_occlusion_query")                                        \
  X(glBeginOcclusionQueryNV, PFNGLBEGINOCCLUSIONQUERYNVPROC, "GL_NV_occlusion_query")                                  \
  X(glEndOcclusionQueryNV, PFNGLENDOCCLUSIONQUERYNVPROC, "GL_NV_occlusion_query")                                      \
  X(glGetOcclusionQueryivNV, PFNGLGETOCCLUSIONQUERYIVNVPROC, "GL_NV_occlusion_query")                                  \
  X(glGetOcclusionQueryuivNV, PFNGLGETOCCLUSIONQUERYUIVNVPROC, "GL_NV_occlusion_query")                                \
  X(glResizeBuffersMESA, PFNGLRESIZEBUFFERSMESAPROC, "GL_MESA_resize_buffers")                                         \
  X(glTbufferMask3DFX, PFNGLTBUFFERMASK3DFXPROC, "GL_3DFX_tbuffer")                                                    \
  X(glSampleMaskEXT, PFNGLSAMPLEMASKEXTPROC, "GL_EXT_multisample")                                                     \
  X(glSamplePatternEXT, PFNGLSAMPLEPATTERNEXTPROC, "GL_EXT_multisample")                                               \
  X(glTextureColorMaskSGIS, PFNGLTEXTURECOLORMASKSGISPROC, "GL_SGIS_texture_color_mask")                               \
  X(gluNurbsCallbackDataEXT, PFNGLUNURBSCALLBACKDATAEXTPROC, "GLU_EXT_nurbs_tessellator")                              \
  X(gluNewNurbsTessellatorEXT, PFNGLUNEWNURBSTESSELLATOREXTPROC, "GLU_EXT_nurbs_tessellator")                          \
  X(gluDeleteNurbsTessellatorEXT, PFNGLUDELETENURBSTESSELLATOREXTPROC, "GLU_EXT_nurbs_tessellator")                    \
  X(glAreProgramsResidentNV, PFNGLAREPROGRAMSRESIDENTNVPROC, "GL_NV_vertex_program")                                   \
  X(glBindProgramNV, PFNGLBINDPROGRAMNVPROC, "GL_NV_vertex_program")                                                   \
  X(glDeleteProgramsNV, PFNGLDELETEPROGRAMSNVPROC, "GL_NV_vertex_program")                                             \
  X(glExecuteProgramNV, PFNGLEXECUTEPROGRAMNVPROC, "GL_NV_vertex_program")                                             \
  X(glGenProgramsNV, PFNGLGENPROGRAMSNVPROC, "GL_NV_vertex_program")                                                   \
  X(glGetProgramParameterdvNV, PFNGLGETPROGRAMPARAMETERDVNVPROC, "GL_NV_vertex_program")                               \
  X(glGetProgramParameterfvNV, PFNGLGETPROGRAMPARAMETERFVNVPROC, "GL_NV_vertex_program")                               \
  X(glGetProgramivNV, PFNGLGETPROGRAMIVNVPROC, "GL_NV_vertex_program")                                                 \
  X(glGetProgramStringNV, PFNGLGETPROGRAMSTRINGNVPROC, "GL_NV_vertex_program")                                         \
  X(glGetTrackMatrixivNV, PFNGLGETTRACKMATRIXIVNVPROC, "GL_NV_vertex_program")                                         \
  X(glGetVertexAttribdvNV, PFNGLGETVERTEXATTRIBDVNVPROC, "GL_NV_vertex_program")                                       \
  X(glGetVertexAttribfvNV, PFNGLGETVERTEXATTRIBFVNVPROC, "GL_NV_vertex_program")                                       \
  X(glGetVertexAttribivNV, PFNGLGETVERTEXATTRIBIVNVPROC, "GL_NV_vertex_program")                                       \
  X(glGetVertexAttribPointervNV, PFNGLGETVERTEXATTRIBPOINTERVNVPROC, "GL_NV_vertex_program")                           \
  X(glIsProgramNV, PFNGLISPROGRAMNVPROC, "GL_NV_vertex_program")                                                       \
  X(glLoadProgramNV, PFNGLLOADPROGRAMNVPROC, "GL_NV_vertex_program")                                                   \
  X(glProgramParameter4dNV, PFNGLPROGRAMPARAMETER4DNVPROC, "GL_NV_vertex_program")                                     \
  X(glProgramParameter4dvNV, PFNGLPROGRAMPARAMETER4DVNVPROC, "GL_NV_vertex_program")                                   \
  X(glProgramParameter4fNV, PFNGLPROGRAMPARAMETER4FNVPROC, "GL_NV_vertex_program")                                     \
  X(glProgramParameter4fvNV, PFNGLPROGRAMPARAMETER4FVNVPROC, "GL_NV_vertex_program")                                   \
  X(glProgramParameters4dvNV, PFNGLPROGRAMPARAMETERS4DVNVPROC, "GL_NV_vertex_program")                                 \
  X(glProgramParameters4fvNV, PFNGLPROGRAMPARAMETERS4FVNVPROC, "GL_NV_vertex_program")                                 \
  X(glRequestResidentProgramsNV, PFNGLREQUESTRESIDENTPROGRAMSNVPROC, "GL_NV_vertex_program")                           \
  X(glTrackMatrixNV, PFNGLTRACKMATRIXNVPROC, "GL_NV_vertex_program")                                                   \
  X(glVertexAttribPointerNV, PFNGLVERTEXATTRIBPOINTERNVPROC, "GL_NV_vertex_program")                                   \
  X(glVertexAttrib1dNV, PFNGLVERTEXATTRIB1DNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib1dvNV, PFNGLVERTEXATTRIB1DVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib1fNV, PFNGLVERTEXATTRIB1FNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib1fvNV, PFNGLVERTEXATTRIB1FVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib1sNV, PFNGLVERTEXATTRIB1SNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib1svNV, PFNGLVERTEXATTRIB1SVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib2dNV, PFNGLVERTEXATTRIB2DNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib2dvNV, PFNGLVERTEXATTRIB2DVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib2fNV, PFNGLVERTEXATTRIB2FNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib2fvNV, PFNGLVERTEXATTRIB2FVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib2sNV, PFNGLVERTEXATTRIB2SNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib2svNV, PFNGLVERTEXATTRIB2SVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib3dNV, PFNGLVERTEXATTRIB3DNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib3dvNV, PFNGLVERTEXATTRIB3DVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib3fNV, PFNGLVERTEXATTRIB3FNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib3fvNV, PFNGLVERTEXATTRIB3FVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib3sNV, PFNGLVERTEXATTRIB3SNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib3svNV, PFNGLVERTEXATTRIB3SVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib4dNV, PFNGLVERTEXATTRIB4DNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib4dvNV, PFNGLVERTEXATTRIB4DVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib4fNV, PFNGLVERTEXATTRIB4FNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib4fvNV, PFNGLVERTEXATTRIB4FVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib4sNV, PFNGLVERTEXATTRIB4SNVPROC, "GL_NV_vertex_program")                                             \
  X(glVertexAttrib4svNV, PFNGLVERTEXATTRIB4SVNVPROC, "GL_NV_vertex_program")                                           \
  X(glVertexAttrib4ubvNV, PFNGLVERTEXATTRIB4UBVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs1dvNV, PFNGLVERTEXATTRIBS1DVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs1fvNV, PFNGLVERTEXATTRIBS1FVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs1svNV, PFNGLVERTEXATTRIBS1SVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs2dvNV, PFNGLVERTEXATTRIBS2DVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs2fvNV, PFNGLVERTEXATTRIBS2FVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs2svNV, PFNGLVERTEXATTRIBS2SVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs3dvNV, PFNGLVERTEXATTRIBS3DVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs3fvNV, PFNGLVERTEXATTRIBS3FVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs3svNV, PFNGLVERTEXATTRIBS3SVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs4dvNV, PFNGLVERTEXATTRIBS4DVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs4fvNV, PFNGLVERTEXATTRIBS4FVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs4svNV, PFNGLVERTEXATTRIBS4SVNVPROC, "GL_NV_vertex_program")                                         \
  X(glVertexAttribs4ubvNV, PFNGLVERTEXATTRIBS4UBVNVPROC, "GL_NV_vertex_program")                                       \
  X(glDrawBuffersATI, PFNGLDRAWBUFFERSATIPROC, "GL_ATI_draw_buffers")
