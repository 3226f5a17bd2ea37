#include "scene3d/contours/contour_tessellation.h"

#include "gfx3d/geometry/polygon_tessellator.h"
#include "scene3d/contours/contours.h"

namespace {

constexpr const char* kUnit = "GLMultiPolygon";

// Collects the tessellator's boundary loops, one list per loop.
class OutlineSink : public TPolygonSink {
 public:
  explicit OutlineSink(TPolygonList& outline) : outline_(outline) {}
  void Normal(const TAffineVector&) override {}
  void Begin(unsigned) override { outline_.Add(); }
  void TexCoord(float, float) override {}
  void Vertex(const TAffineVector& v) override { outline_.Item(outline_.Count() - 1).Add(v); }
  void End() override {}

 private:
  TPolygonList& outline_;
};

TPolygonTessellator::Options RegionOptions(const TAffineVector& normal, bool boundaryOnly, bool textured) {
  TPolygonTessellator::Options options;
  options.textured = textured;
  options.positiveWinding = true;
  options.boundaryOnly = boundaryOnly;
  options.normal = &normal;
  return options;
}

}  // namespace

void TessellateOutline(const std::vector<TContourPoints>& contours, const std::vector<bool>& reversed,
                       const TAffineVector& normal, TPolygonList& outline) {
  OutlineSink sink(outline);
  TPolygonTessellator tess(sink, RegionOptions(normal, true, false), kUnit, 0);
  tess.BeginPolygon();
  for (std::size_t i = 0; i < contours.size(); ++i)
    tess.Contour(contours[i], static_cast<int>(contours[i].size()), reversed[i]);
  tess.EndPolygon();
}

void TessellateFill(const TPolygonList& loops, bool reversed, const TAffineVector& normal, bool textured) {
  TPolygonTessellator tess(GLPolygonSink(), RegionOptions(normal, false, textured), kUnit, 0);
  tess.BeginPolygon();
  for (int i = 0; i < loops.Count(); ++i) tess.Contour(loops.Item(i).List(), loops.Item(i).Count(), reversed);
  tess.EndPolygon();
}
