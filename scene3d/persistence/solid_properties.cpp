// Contoured multi-polygons and extrusions, revolution solids and pipes.
#include "scene3d/contours/contours.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/lines/pipe.h"
#include "scene3d/lines/revolution_solid.h"
#include "scene3d/persistence/published_families.h"

namespace {

std::vector<std::string> FourParts(const char* prefix, const char* inside, const char* start, const char* stop) {
  return {prefix + std::string("Outside"), prefix + std::string(inside), prefix + std::string(start),
          prefix + std::string(stop)};
}

void PublishContours() {
  using C = TGLContour;
  Publisher<C>("TGLContour", "")
      .Collection("Nodes", [](C& o) -> TCollection& { return o.Nodes(); })
      .Integer("Division", &C::Division, &C::SetDivision, 10)
      .Enum("SplineMode", kSplineModeNames, &C::SplineMode, &C::SetSplineMode, lsmLines)
      .String("Description", &C::Description, FieldSetter(&C::Description));
  using B = TMultiPolygonBase;
  Publisher<B>("TMultiPolygonBase", "TGLStageObject").Collection("Contours", [](B& o) -> TCollection& {
    return o.Contours();
  });
  using M = TGLMultiPolygon;
  Publisher<M>("TGLMultiPolygon", "TMultiPolygonBase").Set("Parts", {"ppTop", "ppBottom"}, &M::Parts, &M::SetParts, 3u);
  using E = TGLExtrusionSolid;
  Publisher<E>("TGLExtrusionSolid", "TMultiPolygonBase")
      .Integer("Stacks", &E::Stacks, &E::SetStacks, 1)
      .Enum("Normals", kNormalSmoothingNames, &E::Normals, &E::SetNormals, nsFlat)
      .Enum("NormalDirection", kNormalDirectionNames, &E::NormalDirection, &E::SetNormalDirection, ndOutside)
      .Set("Parts", FourParts("esp", "Inside", "StartPolygon", "StopPolygon"), &E::Parts, &E::SetParts, 1u)
      .Single("Height", &E::Height, &E::SetHeight)
      .Single("MinSmoothAngle", &E::MinSmoothAngle, &E::SetMinSmoothAngle);
}

void PublishSweptSolids() {
  using R = TGLRevolutionSolid;
  Publisher<R>("TGLRevolutionSolid", "TGLPolygonBase")
      .Set("Parts", FourParts("rsp", "Inside", "StartPolygon", "StopPolygon"), &R::Parts, &R::SetParts, 1u)
      .Single("StartAngle", &R::StartAngle, &R::SetStartAngle)
      .Single("StopAngle", &R::StopAngle, &R::SetStopAngle, 360.0f)
      .Single("YOffsetPerTurn", &R::YOffsetPerTurn, &R::SetYOffsetPerTurn)
      .Integer("Slices", &R::Slices, &R::SetSlices, 16)
      .Enum("Normals", kNormalSmoothingNames, &R::Normals, &R::SetNormals, nsFlat)
      .Enum("NormalDirection", kNormalDirectionNames, &R::NormalDirection, &R::SetNormalDirection, ndOutside);
  using P = TGLPipe;
  Publisher<P>("TGLPipe", "TGLPolygonBase")
      .Set("Parts", FourParts("pp", "Inside", "StartDisk", "StopDisk"), &P::Parts, &P::SetParts, 1u)
      .Integer("Slices", &P::Slices, &P::SetSlices, 16)
      .Single("Radius", &P::Radius, &P::SetRadius)
      .Enum("NodesColorMode", {"pncmNone", "pncmEmission", "pncmAmbient", "pncmDiffuse", "pncmAmbientAndDiffuse"},
            &P::NodesColorMode, &P::SetNodesColorMode, pncmNone);
  using N = TGLPipeNode;
  Publisher<N>("TGLPipeNode", "TGLNode")
      .Single("RadiusFactor", &N::RadiusFactor, &N::SetRadiusFactor, 1.0f)
      .Object("Color", &N::Color);
}

}  // namespace

void PublishSolidProperties() {
  PublishContours();
  PublishSweptSolids();
}
