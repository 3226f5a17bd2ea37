// Filling the polygon of a node collection through the shared tessellator.
#include <memory>

#include "gfx3d/geometry/nodes.h"

void TGLNodes::RenderTesselatedPolygon(bool textured, const TAffineVector* normal, bool invertOrder,
                                       int splineDivisions) const {
  RenderTesselatedPolygon(GLPolygonSink(), textured, normal, invertOrder, splineDivisions);
}

void TGLNodes::RenderTesselatedPolygon(TPolygonSink& sink, bool textured, const TAffineVector* normal, bool invertOrder,
                                       int splineDivisions) const {
  if (Count() <= 2) return;
  TPolygonTessellator::Options options;
  options.textured = textured;
  options.normal = normal;
  TPolygonTessellator tess(sink, options, "GLMisc", 1443);
  if (normal) sink.Normal(*normal);

  tess.BeginPolygon();
  tess.BeginContour();
  if (splineDivisions > 1) {
    const std::unique_ptr<TCubicSpline> spline = CreateNewCubicSpline();
    const int steps = splineDivisions * (Count() - 1);
    for (int k = 0; k <= steps; ++k) {
      const int step = invertOrder ? steps - k : k;
      tess.Vertex(spline->AffineVectorAt(static_cast<float>(step) / static_cast<float>(splineDivisions)));
    }
  } else {
    for (int k = 0; k < Count(); ++k) tess.Vertex(GetItems(invertOrder ? Count() - 1 - k : k)->GetAsAffineVector());
  }
  tess.EndContour();
  tess.EndPolygon();
}
