#include "view3d/wall_solid.h"

#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/graph/dummy_cube.h"
#include "view3d/wall_outline.h"

void place_walls(TGLDummyCube& root, const Tcell& cell, const TGLMaterial& material, int wall_height) {
  auto& group = *root.NewChildOfClass<TGLDummyCube>();
  auto& solid = *group.NewChildOfClass<TGLExtrusionSolid>();
  const std::vector<PlanContour> contours = wall_contours(cell);
  for (std::size_t i = 0; i < contours.size(); ++i)
    for (const PlanPoint& point : contours[i])
      solid.Path(static_cast<int>(i)).AddNode(static_cast<float>(point.x), static_cast<float>(point.y), 0);
  bool refused = false;
  try {
    refused = solid.Outline().Count() == 0;
  } catch (const std::exception&) {
    refused = true;
  }
  if (refused) {
    delete &group;
    return;
  }
  // Contour (x, y) lands at (x, 0, -y), the solid rising along scene Y.
  solid.Direction().SetVector(0, 1, 0);
  solid.SetHeight(static_cast<float>(wall_height));
  solid.SetParts(espOutside | espInside | espStartPolygon | espStopPolygon);
  solid.SetMaterial(material);
  solid.Scale().SetVector(0.01f, 0.01f, 0.01f);
  // The solid's extents are not known to the view's sphere test: the walls are always drawn.
  solid.SetObjectStyle(solid.ObjectStyle() | osNoVisibilityCulling);
}
