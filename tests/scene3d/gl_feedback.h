// What a build sends to a real GL context, caught in feedback mode before
// rasterising: the polygons in window coordinates. Counts what GLU draws.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "scene3d/graph/stage_object.h"

struct FeedbackPolygon {
  std::vector<TAffineVector> corners;  // window x, y and depth
  double Area() const {
    double twice = 0;
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const TAffineVector& a = corners[i];
      const TAffineVector& b = corners[(i + 1) % corners.size()];
      twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return twice / 2;
  }
};

// Mesa's software driver never frees what a feedback pass allocates, so the
// leak checker of sanitizer builds is told to ignore the driver, once per program:
// in the one test file that defines GL_FEEDBACK_LEAK_SUPPRESSION before including this.
#ifdef GL_FEEDBACK_LEAK_SUPPRESSION
extern "C" const char* __lsan_default_suppressions() { return "leak:swrast_dri.so\n"; }
#endif

// The object's build under an identity transform, culling off; polygons only.
inline std::vector<FeedbackPolygon> FeedbackOf(TGLBaseStageObject& object) {
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glDisable(GL_CULL_FACE);
  XGLMapTexCoordToMain();
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  object.BuildList(rci);
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackPolygon> polygons;
  for (GLint i = 0; i < used;) {
    const auto token = static_cast<GLint>(buffer[i++]);
    int corners = 0;
    if (token == GL_POLYGON_TOKEN)
      corners = static_cast<int>(buffer[i++]);
    else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
      corners = 2;
    else if (token == GL_PASS_THROUGH_TOKEN)
      corners = 0, ++i;
    else
      corners = 1;
    FeedbackPolygon polygon;
    for (int c = 0; c < corners; ++c, i += 3) polygon.corners.push_back({buffer[i], buffer[i + 1], buffer[i + 2]});
    if (token == GL_POLYGON_TOKEN) polygons.push_back(polygon);
  }
  return polygons;
}
