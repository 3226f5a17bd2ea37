#include "scene3d/contour_tessellation.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <deque>
#include <exception>
#include <memory>
#include <string>

#include "gfx3d/gl_binding.h"
#include "gfx3d/library_errors.h"
#include "scene3d/contours.h"

namespace {

// One polygon's run: where its output goes and the vertices handed to GLU,
// whose addresses must stay put until the polygon ends.
struct Run {
  TPolygonList* outline = nullptr;  // boundary mode; null when filling
  bool textured = false;
  std::deque<TAffineVector> pool;
  std::exception_ptr failure;

  TAffineVector* NewVertex(const TAffineVector& v) {
    pool.push_back(v);
    return &pool.back();
  }

  template <typename Work>
  void Guarded(Work work) noexcept {
    if (failure) return;
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  }
};

Run& Of(void* data) { return *static_cast<Run*>(data); }

void GLAPIENTRY OnBegin(GLenum mode, void* data) {
  Run& run = Of(data);
  run.Guarded([&] {
    if (run.outline)
      run.outline->Add();
    else
      GL().glBegin(mode);
  });
}

void GLAPIENTRY OnVertex(void* vertex, void* data) {
  Run& run = Of(data);
  run.Guarded([&] {
    const auto& v = *static_cast<const TAffineVector*>(vertex);
    if (run.outline) {
      run.outline->Item(run.outline->Count() - 1).Add(v);
      return;
    }
    if (run.textured) GL().glTexCoord2f(v.x, v.y);
    GL().glVertex3f(v.x, v.y, v.z);
  });
}

void GLAPIENTRY OnEnd(void* data) {
  Run& run = Of(data);
  run.Guarded([&] {
    if (!run.outline) GL().glEnd();
  });
}

void GLAPIENTRY OnError(GLenum code, void* data) {
  Of(data).Guarded([&] {
    const auto* text = reinterpret_cast<const char*>(gluErrorString(code));
    Assert(false, "GLMultiPolygon", 0, std::to_string(code) + " : " + (text ? text : "unknown GLU error"));
  });
}

void GLAPIENTRY OnCombine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4], void** out, void* data) {
  Run& run = Of(data);
  *out = nullptr;
  run.Guarded([&] {
    *out = run.NewVertex({static_cast<float>(coords[0]), static_cast<float>(coords[1]), static_cast<float>(coords[2])});
  });
}

using TessDeleter = decltype([](GLUtesselator* tess) { gluDeleteTess(tess); });
using Tessellator = std::unique_ptr<GLUtesselator, TessDeleter>;

template <typename Callback>
void SetCallback(GLUtesselator* tess, GLenum which, Callback callback) {
  gluTessCallback(tess, which, reinterpret_cast<_GLUfuncptr>(callback));
}

Tessellator NewTessellator(const TAffineVector& normal, bool boundaryOnly) {
  Tessellator tess(gluNewTess());
  if (!tess) throw ELibraryError("Out of memory for the polygon tessellator");
  SetCallback(tess.get(), GLU_TESS_BEGIN_DATA, &OnBegin);
  SetCallback(tess.get(), GLU_TESS_VERTEX_DATA, &OnVertex);
  SetCallback(tess.get(), GLU_TESS_END_DATA, &OnEnd);
  SetCallback(tess.get(), GLU_TESS_ERROR_DATA, &OnError);
  SetCallback(tess.get(), GLU_TESS_COMBINE_DATA, &OnCombine);
  gluTessNormal(tess.get(), normal.x, normal.y, normal.z);
  gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_POSITIVE);
  gluTessProperty(tess.get(), GLU_TESS_BOUNDARY_ONLY, boundaryOnly ? GL_TRUE : GL_FALSE);
  return tess;
}

template <typename Points>
void FeedContour(GLUtesselator* tess, Run& run, const Points& points, int count, bool reversed) {
  gluTessBeginContour(tess);
  for (int k = 0; k < count; ++k) {
    const TAffineVector& v = points[reversed ? count - 1 - k : k];
    GLdouble coords[3] = {v.x, v.y, v.z};
    gluTessVertex(tess, coords, run.NewVertex(v));
  }
  gluTessEndContour(tess);
}

void Finish(GLUtesselator* tess, Run& run) {
  gluTessEndPolygon(tess);
  if (run.failure) std::rethrow_exception(run.failure);
}

}  // namespace

void TessellateOutline(const std::vector<TContourPoints>& contours, const std::vector<bool>& reversed,
                       const TAffineVector& normal, TPolygonList& outline) {
  Tessellator tess = NewTessellator(normal, true);
  Run run;
  run.outline = &outline;
  gluTessBeginPolygon(tess.get(), &run);
  for (std::size_t i = 0; i < contours.size(); ++i)
    FeedContour(tess.get(), run, contours[i], static_cast<int>(contours[i].size()), reversed[i]);
  Finish(tess.get(), run);
}

void TessellateFill(const TPolygonList& loops, bool reversed, const TAffineVector& normal, bool textured) {
  Tessellator tess = NewTessellator(normal, false);
  Run run;
  run.textured = textured;
  gluTessBeginPolygon(tess.get(), &run);
  for (int i = 0; i < loops.Count(); ++i)
    FeedContour(tess.get(), run, loops.Item(i).List(), loops.Item(i).Count(), reversed);
  Finish(tess.get(), run);
}
