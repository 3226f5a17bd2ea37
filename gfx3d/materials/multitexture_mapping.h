// Texture coordinates and texture-generation state sent through 15 indirect
// entry points, so one object's drawing feeds as many texture units as the
// material in force needs. A process-wide mode decides where the calls go.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

enum TMapTexCoordMode : std::uint8_t { mtcmUndefined, mtcmNull, mtcmMain, mtcmDual, mtcmSecond, mtcmArbitrary };

void XGLMapTexCoordToNull();
void XGLMapTexCoordToMain();
void XGLMapTexCoordToDual();
void XGLMapTexCoordToSecond();
// units: GL_TEXTURE0_ARB + n.
void XGLMapTexCoordToArbitrary(const std::vector<GLenum>& units);
// The units whose bit is set in the low 8 bits, in ascending order.
void XGLMapTexCoordToArbitraryMask(unsigned mask);
// The arbitrary mode with the current units plus those of mask.
void XGLMapTexCoordToArbitraryAdd(unsigned mask);
// Bit n set when unit n is fed; assertion failure in the Null and undefined modes.
unsigned XGLGetBitWiseMapping();
TMapTexCoordMode XGLCurrentMapping();

// While open, mappings only record the mode; the outermost end applies it.
void XGLBeginUpdate();
void XGLEndUpdate();
// While forbidden, Dual falls back to Main, Second to Null, and Arbitrary drops unit 1.
void XGLForbidSecondTextureUnit();
void XGLAllowSecondTextureUnit();
bool XGLSecondTextureUnitForbidden();

void xglTexCoord2f(GLfloat s, GLfloat t);
void xglTexCoord2fv(const GLfloat* v);
void xglTexCoord3f(GLfloat s, GLfloat t, GLfloat r);
void xglTexCoord3fv(const GLfloat* v);
void xglTexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q);
void xglTexCoord4fv(const GLfloat* v);
void xglTexGenf(GLenum coord, GLenum pname, GLfloat param);
void xglTexGenfv(GLenum coord, GLenum pname, const GLfloat* params);
void xglTexGeni(GLenum coord, GLenum pname, GLint param);
void xglTexGeniv(GLenum coord, GLenum pname, const GLint* params);
void xglEnable(GLenum cap);
void xglDisable(GLenum cap);
void xglTexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void xglEnableClientState(GLenum array);
void xglDisableClientState(GLenum array);
