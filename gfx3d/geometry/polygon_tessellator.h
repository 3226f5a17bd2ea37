// The GLU polygon tessellator behind a small C++ class, shared by node
// collections and contours. GLU calls back through C function pointers, which
// no exception may cross: each callback keeps the first failure, drops the
// rest of the output, and the failure is raised once the polygon ends.
#pragma once

#include <memory>

#include "gfx3d/math/vector_types.h"

// Where a tessellated polygon goes: the current GL context, or a recorder in tests.
class TPolygonSink {
 public:
  virtual ~TPolygonSink() = default;
  virtual void Normal(const TAffineVector& normal) = 0;
  virtual void Begin(unsigned mode) = 0;
  virtual void TexCoord(float s, float t) = 0;
  virtual void Vertex(const TAffineVector& v) = 0;
  virtual void End() = 0;
};

// Sends polygons to the current GL context through the binding.
TPolygonSink& GLPolygonSink();

class TPolygonTessellator {
 public:
  struct Options {
    bool textured = false;                  // each vertex's x and y also go out as its texture coordinate
    bool positiveWinding = false;           // the region of positive winding instead of odd winding
    bool boundaryOnly = false;              // closed loops around the region instead of triangles
    const TAffineVector* normal = nullptr;  // steers the tessellator; GLU finds one when absent
  };

  // A GLU error fails the assertion of unit and line, with GLU's text.
  TPolygonTessellator(TPolygonSink& sink, const Options& options, const char* unit, int line);
  ~TPolygonTessellator();
  TPolygonTessellator(const TPolygonTessellator&) = delete;
  TPolygonTessellator& operator=(const TPolygonTessellator&) = delete;

  void BeginPolygon();
  void BeginContour();
  void Vertex(const TAffineVector& v);
  void EndContour();
  // Ends the polygon, then raises the first failure of a callback.
  void EndPolygon();

  // Feeds count points as one contour, last to first when reversed.
  template <typename Points>
  void Contour(const Points& points, int count, bool reversed) {
    BeginContour();
    for (int k = 0; k < count; ++k) Vertex(points[reversed ? count - 1 - k : k]);
    EndContour();
  }

 private:
  struct Run;
  std::unique_ptr<Run> run_;
};
