// Planes, sprites, cubes, frustums, polygons, points and the torus.
#include "scene3d/lines/points.h"
#include "scene3d/lines/polygon.h"
#include "scene3d/objects/cube.h"
#include "scene3d/objects/frustum.h"
#include "scene3d/objects/plane.h"
#include "scene3d/objects/sprite.h"
#include "scene3d/objects/teapot.h"
#include "scene3d/objects/torus.h"
#include "scene3d/persistence/published_families.h"

namespace {

std::vector<std::string> SixFaces(const char* prefix) {
  std::vector<std::string> names;
  for (const char* face : {"Top", "Bottom", "Front", "Back", "Left", "Right"})
    names.push_back(prefix + std::string(face));
  return names;
}

void PublishFlatObjects() {
  using P = TGLPlane;
  Publisher<P>("TGLPlane", "TGLStageObject")
      .Single("XOffset", &P::XOffset, &P::SetXOffset)
      .Single("YOffset", &P::YOffset, &P::SetYOffset)
      .Single("XScope", &P::XScope, &P::SetXScope, 1.0f)
      .Single("YScope", &P::YScope, &P::SetYScope, 1.0f)
      .Single("Width", &P::Width, &P::SetWidth)
      .Single("Height", &P::Height, &P::SetHeight)
      .Integer("XTiles", &P::XTiles, &P::SetXTiles, 1)
      .Integer("YTiles", &P::YTiles, &P::SetYTiles, 1)
      .Set("Style", {"psSingleQuad", "psTileTexture"}, &P::Style, &P::SetStyle, 3u)
      .Boolean("NoZWrite", &P::NoZWrite, FieldSetter(&P::NoZWrite));
  using S = TGLSprite;
  Publisher<S>("TGLSprite", "TGLStageObject")
      .Single("Width", &S::Width, &S::SetWidth)
      .Single("Height", &S::Height, &S::SetHeight)
      .Single("Rotation", &S::Rotation, &S::SetRotation)
      .Single("AlphaChannel", &S::AlphaChannel, &S::SetAlphaChannel, 1.0f)
      .Boolean("NoZWrite", &S::NoZWrite, &S::SetNoZWrite)
      .Boolean("MirrorU", &S::MirrorU, &S::SetMirrorU)
      .Boolean("MirrorV", &S::MirrorV, &S::SetMirrorV);
}

// Their sizes travel in the binary properties the classes define.
void PublishBoxes() {
  using C = TGLCube;
  Publisher<C>("TGLCube", "TGLStageObject")
      .Set("Parts", SixFaces("cp"), &C::Parts, &C::SetParts, 63u)
      .Enum("NormalDirection", kNormalDirectionNames, &C::NormalDirection, &C::SetNormalDirection, ndOutside);
  using F = TGLFrustrum;
  Publisher<F>("TGLFrustrum", "TGLStageObject")
      .Set("Parts", SixFaces("fp"), &F::Parts, &F::SetParts, 63u)
      .Enum("NormalDirection", kNormalDirectionNames, &F::NormalDirection, &F::SetNormalDirection, ndOutside);
  using T = TGLTorus;
  Publisher<T>("TGLTorus", "TGLStageObject")
      .Integer("Rings", &T::Rings, &T::SetRings, 25)
      .Integer("Sides", &T::Sides, &T::SetSides, 15)
      .Single("MinorRadius", &T::MinorRadius, &T::SetMinorRadius)
      .Single("MajorRadius", &T::MajorRadius, &T::SetMajorRadius);
  Publisher<TGLTeapot>("TGLTeapot", "TGLStageObject");
}

void PublishPolygons() {
  using B = TGLPolygonBase;
  Publisher<B>("TGLPolygonBase", "TGLStageObject")
      .Integer("Division", &B::Division, &B::SetDivision, 10)
      .Enum("SplineMode", kSplineModeNames, &B::SplineMode, &B::SetSplineMode, lsmLines)
      .Collection("Nodes", [](B& o) -> TCollection& { return o.Nodes(); });
  using P = TGLPolygon;
  Publisher<P>("TGLPolygon", "TGLPolygonBase").Set("Parts", {"ppTop", "ppBottom"}, &P::Parts, &P::SetParts, 3u);
}

void PublishPoints() {
  using Pp = TGLPointParameters;
  Publisher<Pp>("TGLPointParameters", "")
      .Boolean("Enabled", &Pp::Enabled, &Pp::SetEnabled, false)
      .Object("DistanceAttenuation", &Pp::DistanceAttenuation);
  using P = TGLPoints;
  Publisher<P>("TGLPoints", "TGLImmaterialStageObject")
      .Archive("Positions", &P::Positions)
      .Archive("Colors", &P::Colors)
      .Single("Size", &P::Size, &P::SetSize, 1.0f)
      .Enum("Style", {"psSquare", "psRound", "psSmooth", "psSmoothAdditive", "psSquareAdditive"}, &P::Style,
            &P::SetStyle, psSquare)
      .Object("PointParameters", &P::PointParameters)
      .Boolean("NoZWrite", &P::NoZWrite, &P::SetNoZWrite)
      .Boolean("Static", &P::Static, &P::SetStatic);
}

}  // namespace

void PublishPrimitiveProperties() {
  PublishFlatObjects();
  PublishBoxes();
  PublishPolygons();
  PublishPoints();
}
