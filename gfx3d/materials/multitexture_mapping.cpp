#include "gfx3d/materials/multitexture_mapping.h"

#include <algorithm>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"

namespace {

constexpr const char* kUnit = "XOpenGL";

struct MappingState {
  TMapTexCoordMode mode = mtcmNull;
  int updating = 0;
  TMapTexCoordMode requested = mtcmNull;
  bool second_unit_forbidden = false;
  std::vector<GLenum> units;
};

MappingState state;

void SetMode(TMapTexCoordMode mode) {
  if (state.second_unit_forbidden) {
    if (mode == mtcmDual) mode = mtcmMain;
    if (mode == mtcmSecond) mode = mtcmNull;
  }
  if (state.updating > 0) {
    state.requested = mode;
    return;
  }
  if (mode == state.mode) return;
  if (mode == mtcmDual || mode == mtcmSecond || mode == mtcmArbitrary)
    Assert(GLFlags().ARB_multitexture, kUnit, __LINE__, "GL_ARB_multitexture is required");
  state.mode = mode;
}

void StoreUnits(std::vector<GLenum> units) {
  if (state.second_unit_forbidden) units.erase(std::remove(units.begin(), units.end(), GL_TEXTURE1_ARB), units.end());
  state.units = std::move(units);
}

unsigned MaskOf(TMapTexCoordMode mode) {
  switch (mode) {
    case mtcmMain:
      return 1;
    case mtcmDual:
      return 3;
    case mtcmSecond:
      return 2;
    case mtcmArbitrary: {
      unsigned mask = 0;
      for (GLenum unit : state.units) mask |= 1u << (unit - GL_TEXTURE0_ARB);
      return mask;
    }
    default:
      return 0;
  }
}

TMapTexCoordMode EffectiveMode() { return state.updating > 0 ? state.requested : state.mode; }

// Coordinates: unit 0 through the GL 1.1 call, other units through the multi-texture call.
template <typename Main, typename Multi>
void RouteCoordinates(Main main, Multi multi) {
  switch (state.mode) {
    case mtcmMain:
      main();
      break;
    case mtcmDual:
      main();
      multi(GL_TEXTURE1_ARB);
      break;
    case mtcmSecond:
      multi(GL_TEXTURE1_ARB);
      break;
    case mtcmArbitrary:
      for (GLenum unit : state.units) multi(unit);
      break;
    default:
      break;
  }
}

// Per-unit state: the call on each fed unit, selected by select, ending on unit 0.
template <typename Call, typename Select>
void RouteUnitState(Call call, Select select) {
  switch (state.mode) {
    case mtcmMain:
      call();
      break;
    case mtcmDual:
      call();
      select(GL_TEXTURE1_ARB);
      call();
      select(GL_TEXTURE0_ARB);
      break;
    case mtcmSecond:
      select(GL_TEXTURE1_ARB);
      call();
      select(GL_TEXTURE0_ARB);
      break;
    case mtcmArbitrary:
      for (GLenum unit : state.units) {
        select(unit);
        call();
      }
      select(GL_TEXTURE0_ARB);
      break;
    default:
      break;
  }
}

template <typename Call>
void RouteServerState(Call call) {
  RouteUnitState(call, [](GLenum unit) { GL().glActiveTextureARB(unit); });
}

template <typename Call>
void RouteClientState(Call call) {
  RouteUnitState(call, [](GLenum unit) { GL().glClientActiveTextureARB(unit); });
}

}  // namespace

void XGLMapTexCoordToNull() { SetMode(mtcmNull); }
void XGLMapTexCoordToMain() { SetMode(mtcmMain); }
void XGLMapTexCoordToDual() { SetMode(mtcmDual); }
void XGLMapTexCoordToSecond() { SetMode(mtcmSecond); }

void XGLMapTexCoordToArbitrary(const std::vector<GLenum>& units) {
  StoreUnits(units);
  SetMode(mtcmArbitrary);
}

void XGLMapTexCoordToArbitraryMask(unsigned mask) {
  std::vector<GLenum> units;
  for (unsigned i = 0; i < 8; ++i)
    if (mask & (1u << i)) units.push_back(GL_TEXTURE0_ARB + i);
  XGLMapTexCoordToArbitrary(units);
}

void XGLMapTexCoordToArbitraryAdd(unsigned mask) {
  // Null and undefined feed no unit, so they add nothing.
  const TMapTexCoordMode mode = EffectiveMode();
  const unsigned current = mode == mtcmNull || mode == mtcmUndefined ? 0 : XGLGetBitWiseMapping();
  XGLMapTexCoordToArbitraryMask(current | mask);
}

unsigned XGLGetBitWiseMapping() {
  const TMapTexCoordMode mode = EffectiveMode();
  Assert(mode != mtcmNull && mode != mtcmUndefined, kUnit, __LINE__, "No texture unit is mapped");
  return MaskOf(mode);
}

TMapTexCoordMode XGLCurrentMapping() { return state.mode; }

void XGLBeginUpdate() {
  if (state.updating++ == 0) state.requested = state.mode;
}

void XGLEndUpdate() {
  Assert(state.updating > 0, kUnit, __LINE__, "Unbalanced Begin/EndUpdate");
  if (--state.updating == 0 && state.requested != state.mode) SetMode(state.requested);
}

void XGLForbidSecondTextureUnit() { state.second_unit_forbidden = true; }
void XGLAllowSecondTextureUnit() { state.second_unit_forbidden = false; }
bool XGLSecondTextureUnitForbidden() { return state.second_unit_forbidden; }

void xglTexCoord2f(GLfloat s, GLfloat t) {
  RouteCoordinates([&] { GL().glTexCoord2f(s, t); }, [&](GLenum u) { GL().glMultiTexCoord2fARB(u, s, t); });
}
void xglTexCoord2fv(const GLfloat* v) {
  RouteCoordinates([&] { GL().glTexCoord2fv(v); }, [&](GLenum u) { GL().glMultiTexCoord2fvARB(u, v); });
}
void xglTexCoord3f(GLfloat s, GLfloat t, GLfloat r) {
  RouteCoordinates([&] { GL().glTexCoord3f(s, t, r); }, [&](GLenum u) { GL().glMultiTexCoord3fARB(u, s, t, r); });
}
void xglTexCoord3fv(const GLfloat* v) {
  RouteCoordinates([&] { GL().glTexCoord3fv(v); }, [&](GLenum u) { GL().glMultiTexCoord3fvARB(u, v); });
}
void xglTexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) {
  RouteCoordinates([&] { GL().glTexCoord4f(s, t, r, q); }, [&](GLenum u) { GL().glMultiTexCoord4fARB(u, s, t, r, q); });
}
void xglTexCoord4fv(const GLfloat* v) {
  RouteCoordinates([&] { GL().glTexCoord4fv(v); }, [&](GLenum u) { GL().glMultiTexCoord4fvARB(u, v); });
}
void xglTexGenf(GLenum coord, GLenum pname, GLfloat param) {
  RouteServerState([&] { GL().glTexGenf(coord, pname, param); });
}
void xglTexGenfv(GLenum coord, GLenum pname, const GLfloat* params) {
  RouteServerState([&] { GL().glTexGenfv(coord, pname, params); });
}
void xglTexGeni(GLenum coord, GLenum pname, GLint param) {
  RouteServerState([&] { GL().glTexGeni(coord, pname, param); });
}
void xglTexGeniv(GLenum coord, GLenum pname, const GLint* params) {
  RouteServerState([&] { GL().glTexGeniv(coord, pname, params); });
}
void xglEnable(GLenum cap) {
  RouteServerState([&] { GL().glEnable(cap); });
}
void xglDisable(GLenum cap) {
  RouteServerState([&] { GL().glDisable(cap); });
}
void xglTexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
  RouteClientState([&] { GL().glTexCoordPointer(size, type, stride, pointer); });
}
void xglEnableClientState(GLenum array) {
  RouteClientState([&] { GL().glEnableClientState(array); });
}
void xglDisableClientState(GLenum array) {
  RouteClientState([&] { GL().glDisableClientState(array); });
}
