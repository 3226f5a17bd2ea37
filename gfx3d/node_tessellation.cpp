// Filling the polygon of a node collection through the GLU tessellator. The
// tessellator calls back into C++ through C function pointers, which no
// exception may cross: each callback records the first failure and the
// tessellation is allowed to finish before it is raised.
#include <GL/gl.h>
#include <GL/glu.h>

#include <deque>
#include <exception>
#include <memory>
#include <string>

#include "gfx3d/library_errors.h"
#include "gfx3d/nodes.h"

namespace {

class GLSink : public TPolygonSink {
 public:
  void Normal(const TAffineVector& normal) override { glNormal3f(normal.x, normal.y, normal.z); }
  void Begin(unsigned mode) override { glBegin(mode); }
  void TexCoord(float s, float t) override { glTexCoord2f(s, t); }
  void Vertex(const TAffineVector& v) override { glVertex3f(v.x, v.y, v.z); }
  void End() override { glEnd(); }
};

// One tessellation: where the output goes and the vertices handed to GLU,
// whose addresses must stay put until the polygon ends.
struct Tessellation {
  TPolygonSink& sink;
  bool textured;
  std::deque<TAffineVector> vertices;
  std::exception_ptr failure;

  TAffineVector* AllocTessVertex(const TAffineVector& v) {
    vertices.push_back(v);
    return &vertices.back();
  }

  // Runs one callback's work; after a failure the rest of the output is dropped.
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

Tessellation& Of(void* data) { return *static_cast<Tessellation*>(data); }

void GLAPIENTRY TessBegin(GLenum mode, void* data) {
  Of(data).Guarded([&] { Of(data).sink.Begin(mode); });
}

void GLAPIENTRY TessVertex(void* vertex, void* data) {
  Tessellation& run = Of(data);
  run.Guarded([&] {
    const auto& v = *static_cast<const TAffineVector*>(vertex);
    if (run.textured) run.sink.TexCoord(v.x, v.y);
    run.sink.Vertex(v);
  });
}

void GLAPIENTRY TessEnd(void* data) {
  Of(data).Guarded([&] { Of(data).sink.End(); });
}

void GLAPIENTRY TessError(GLenum code, void* data) {
  Of(data).Guarded([&] {
    const auto* text = reinterpret_cast<const char*>(gluErrorString(code));
    Assert(false, "GLMisc", 1443, std::to_string(code) + ": " + (text ? text : "unknown GLU error"));
  });
}

void GLAPIENTRY TessCombine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4], void** out,
                            void* data) {
  Tessellation& run = Of(data);
  *out = nullptr;
  run.Guarded([&] {
    *out = run.AllocTessVertex(
        {static_cast<float>(coords[0]), static_cast<float>(coords[1]), static_cast<float>(coords[2])});
  });
}

using TessDeleter = decltype([](GLUtesselator* tess) { gluDeleteTess(tess); });

template <typename Callback>
void SetCallback(GLUtesselator* tess, GLenum which, Callback callback) {
  gluTessCallback(tess, which, reinterpret_cast<_GLUfuncptr>(callback));
}

void PassVertex(GLUtesselator* tess, Tessellation& run, const TAffineVector& v) {
  GLdouble coords[3] = {v.x, v.y, v.z};
  gluTessVertex(tess, coords, run.AllocTessVertex(v));
}

}  // namespace

TPolygonSink& GLPolygonSink() {
  static GLSink sink;
  return sink;
}

void TGLNodes::RenderTesselatedPolygon(bool textured, const TAffineVector* normal, bool invertOrder,
                                       int splineDivisions) const {
  RenderTesselatedPolygon(GLPolygonSink(), textured, normal, invertOrder, splineDivisions);
}

void TGLNodes::RenderTesselatedPolygon(TPolygonSink& sink, bool textured, const TAffineVector* normal, bool invertOrder,
                                       int splineDivisions) const {
  if (Count() <= 2) return;
  std::unique_ptr<GLUtesselator, TessDeleter> tess(gluNewTess());
  if (!tess) throw ELibraryError("Out of memory for the polygon tessellator");
  Tessellation run{sink, textured, {}, nullptr};
  SetCallback(tess.get(), GLU_TESS_BEGIN_DATA, &TessBegin);
  SetCallback(tess.get(), GLU_TESS_VERTEX_DATA, &TessVertex);
  SetCallback(tess.get(), GLU_TESS_END_DATA, &TessEnd);
  SetCallback(tess.get(), GLU_TESS_ERROR_DATA, &TessError);
  SetCallback(tess.get(), GLU_TESS_COMBINE_DATA, &TessCombine);
  if (normal) {
    sink.Normal(*normal);
    gluTessNormal(tess.get(), normal->x, normal->y, normal->z);
  }

  gluTessBeginPolygon(tess.get(), &run);
  gluTessBeginContour(tess.get());
  if (splineDivisions > 1) {
    const std::unique_ptr<TCubicSpline> spline = CreateNewCubicSpline();
    const int steps = splineDivisions * (Count() - 1);
    for (int k = 0; k <= steps; ++k) {
      const int step = invertOrder ? steps - k : k;
      PassVertex(tess.get(), run,
                 spline->AffineVectorAt(static_cast<float>(step) / static_cast<float>(splineDivisions)));
    }
  } else {
    for (int k = 0; k < Count(); ++k)
      PassVertex(tess.get(), run, GetItems(invertOrder ? Count() - 1 - k : k)->GetAsAffineVector());
  }
  gluTessEndContour(tess.get());
  gluTessEndPolygon(tess.get());
  if (run.failure) std::rethrow_exception(run.failure);
}
