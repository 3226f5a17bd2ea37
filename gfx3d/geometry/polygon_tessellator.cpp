#include "gfx3d/geometry/polygon_tessellator.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <deque>
#include <exception>
#include <string>
#include <utility>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"

namespace {

class GLSink : public TPolygonSink {
 public:
  void Normal(const TAffineVector& normal) override { GL().glNormal3f(normal.x, normal.y, normal.z); }
  void Begin(unsigned mode) override { GL().glBegin(mode); }
  // Through the wrappers, so every texture unit the material in force feeds gets the coordinates.
  void TexCoord(float s, float t) override { xglTexCoord2f(s, t); }
  void Vertex(const TAffineVector& v) override { GL().glVertex3f(v.x, v.y, v.z); }
  void End() override { GL().glEnd(); }
};

using TessDeleter = decltype([](GLUtesselator* tess) { gluDeleteTess(tess); });

}  // namespace

// One polygon's run: where its output goes and the vertices handed to GLU,
// whose addresses must stay put until the polygon ends.
struct TPolygonTessellator::Run {
  TPolygonSink& sink;
  bool textured;
  const char* unit;
  int line;
  std::unique_ptr<GLUtesselator, TessDeleter> tess;
  std::deque<TAffineVector> vertices;
  std::exception_ptr failure;

  TAffineVector* NewVertex(const TAffineVector& v) {
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

  static Run& Of(void* data) { return *static_cast<Run*>(data); }

  static void GLAPIENTRY OnBegin(GLenum mode, void* data) {
    Run& run = Of(data);
    run.Guarded([&] { run.sink.Begin(mode); });
  }

  static void GLAPIENTRY OnVertex(void* vertex, void* data) {
    Run& run = Of(data);
    run.Guarded([&] {
      const auto& v = *static_cast<const TAffineVector*>(vertex);
      if (run.textured) run.sink.TexCoord(v.x, v.y);
      run.sink.Vertex(v);
    });
  }

  static void GLAPIENTRY OnEnd(void* data) {
    Run& run = Of(data);
    run.Guarded([&] { run.sink.End(); });
  }

  static void GLAPIENTRY OnError(GLenum code, void* data) {
    Run& run = Of(data);
    run.Guarded([&] {
      const auto* text = reinterpret_cast<const char*>(gluErrorString(code));
      Assert(false, run.unit, run.line, std::to_string(code) + ": " + (text ? text : "unknown GLU error"));
    });
  }

  static void GLAPIENTRY OnCombine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4], void** out,
                                   void* data) {
    Run& run = Of(data);
    *out = nullptr;
    run.Guarded([&] {
      *out =
          run.NewVertex({static_cast<float>(coords[0]), static_cast<float>(coords[1]), static_cast<float>(coords[2])});
    });
  }
};

namespace {

template <typename Callback>
void SetCallback(GLUtesselator* tess, GLenum which, Callback callback) {
  gluTessCallback(tess, which, reinterpret_cast<_GLUfuncptr>(callback));
}

}  // namespace

TPolygonSink& GLPolygonSink() {
  static GLSink sink;
  return sink;
}

TPolygonTessellator::TPolygonTessellator(TPolygonSink& sink, const Options& options, const char* unit, int line)
    : run_(new Run{sink, options.textured, unit, line, {}, {}, {}}) {
  run_->tess.reset(gluNewTess());
  GLUtesselator* tess = run_->tess.get();
  if (!tess) throw ELibraryError("Out of memory for the polygon tessellator");
  SetCallback(tess, GLU_TESS_BEGIN_DATA, &Run::OnBegin);
  SetCallback(tess, GLU_TESS_VERTEX_DATA, &Run::OnVertex);
  SetCallback(tess, GLU_TESS_END_DATA, &Run::OnEnd);
  SetCallback(tess, GLU_TESS_ERROR_DATA, &Run::OnError);
  SetCallback(tess, GLU_TESS_COMBINE_DATA, &Run::OnCombine);
  if (options.normal) gluTessNormal(tess, options.normal->x, options.normal->y, options.normal->z);
  if (options.positiveWinding) gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_POSITIVE);
  if (options.boundaryOnly) gluTessProperty(tess, GLU_TESS_BOUNDARY_ONLY, GL_TRUE);
}

TPolygonTessellator::~TPolygonTessellator() = default;

void TPolygonTessellator::BeginPolygon() { gluTessBeginPolygon(run_->tess.get(), run_.get()); }

void TPolygonTessellator::BeginContour() { gluTessBeginContour(run_->tess.get()); }

void TPolygonTessellator::Vertex(const TAffineVector& v) {
  GLdouble coords[3] = {v.x, v.y, v.z};
  gluTessVertex(run_->tess.get(), coords, run_->NewVertex(v));
}

void TPolygonTessellator::EndContour() { gluTessEndContour(run_->tess.get()); }

void TPolygonTessellator::EndPolygon() {
  gluTessEndPolygon(run_->tess.get());
  if (run_->failure) std::rethrow_exception(std::exchange(run_->failure, nullptr));
}
