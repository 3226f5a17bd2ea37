// Spheres, disks, cylinders, cones, annuli and arrow lines.
#include "scene3d/objects/annulus.h"
#include "scene3d/objects/arrow_line.h"
#include "scene3d/objects/cylinder.h"
#include "scene3d/objects/disk.h"
#include "scene3d/objects/sphere.h"
#include "scene3d/persistence/published_families.h"

namespace {

void PublishRoundObjects() {
  using Q = TGLQuadricObject;
  Publisher<Q>("TGLQuadricObject", "TGLStageObject")
      .Enum("Normals", kNormalSmoothingNames, &Q::Normals, &Q::SetNormals, nsSmooth)
      .Enum("NormalDirection", kNormalDirectionNames, &Q::NormalDirection, &Q::SetNormalDirection, ndOutside);
  const std::vector<std::string> caps = {"ctNone", "ctCenter", "ctFlat"};
  using S = TGLSphere;
  Publisher<S>("TGLSphere", "TGLQuadricObject")
      .Single("Radius", &S::Radius, &S::SetRadius)
      .Integer("Slices", &S::Slices, &S::SetSlices, 16)
      .Integer("Stacks", &S::Stacks, &S::SetStacks, 16)
      .Integer("Top", &S::Top, &S::SetTop, 90)
      .Integer("Bottom", &S::Bottom, &S::SetBottom, -90)
      .Integer("Start", &S::Start, &S::SetStart, 0)
      .Integer("Stop", &S::Stop, &S::SetStop, 360)
      .Enum("TopCap", caps, &S::TopCap, &S::SetTopCap, ctNone)
      .Enum("BottomCap", caps, &S::BottomCap, &S::SetBottomCap, ctNone);
  using D = TGLDisk;
  Publisher<D>("TGLDisk", "TGLQuadricObject")
      .Single("StartAngle", &D::StartAngle, &D::SetStartAngle)
      .Single("SweepAngle", &D::SweepAngle, &D::SetSweepAngle)
      .Single("OuterRadius", &D::OuterRadius, &D::SetOuterRadius)
      .Single("InnerRadius", &D::InnerRadius, &D::SetInnerRadius)
      .Integer("Slices", &D::Slices, &D::SetSlices, 16)
      .Integer("Loops", &D::Loops, &D::SetLoops, 2);
}

void PublishCylinders() {
  using B = TGLCylinderBase;
  Publisher<B>("TGLCylinderBase", "TGLQuadricObject")
      .Single("BottomRadius", &B::BottomRadius, &B::SetBottomRadius)
      .Integer("Slices", &B::Slices, &B::SetSlices, 16)
      .Integer("Stacks", &B::Stacks, &B::SetStacks, 4)
      .Integer("Loops", &B::Loops, &B::SetLoops, 1)
      .Single("Height", &B::Height, &B::SetHeight);
  using Co = TGLCone;
  Publisher<Co>("TGLCone", "TGLCylinderBase").Set("Parts", {"coSides", "coBottom"}, &Co::Parts, &Co::SetParts, 3u);
  using Cy = TGLCylinder;
  Publisher<Cy>("TGLCylinder", "TGLCylinderBase")
      .Set("Parts", {"cySides", "cyBottom", "cyTop"}, &Cy::Parts, &Cy::SetParts, 7u)
      .Single("TopRadius", &Cy::TopRadius, &Cy::SetTopRadius)
      .Enum("Alignment", {"caCenter", "caTop", "caBottom"}, &Cy::Alignment, &Cy::SetAlignment, caCenter);
  using An = TGLAnnulus;
  Publisher<An>("TGLAnnulus", "TGLCylinderBase")
      .Set("Parts", {"anInnerSides", "anOuterSides", "anBottom", "anTop"}, &An::Parts, &An::SetParts, 15u)
      .Single("BottomInnerRadius", &An::BottomInnerRadius, &An::SetBottomInnerRadius)
      .Single("TopInnerRadius", &An::TopInnerRadius, &An::SetTopInnerRadius)
      .Single("TopRadius", &An::TopRadius, &An::SetTopRadius);
  using Ar = TGLArrowLine;
  Publisher<Ar>("TGLArrowLine", "TGLCylinderBase")
      .Set("Parts", {"alLine", "alTopArrow", "alBottomArrow"}, &Ar::Parts, &Ar::SetParts, 3u)
      .Single("TopRadius", &Ar::TopRadius, &Ar::SetTopRadius)
      .Single("TopArrowHeadHeight", &Ar::TopArrowHeadHeight, &Ar::SetTopArrowHeadHeight)
      .Single("TopArrowHeadRadius", &Ar::TopArrowHeadRadius, &Ar::SetTopArrowHeadRadius)
      .Single("BottomArrowHeadHeight", &Ar::BottomArrowHeadHeight, &Ar::SetBottomArrowHeadHeight)
      .Single("BottomArrowHeadRadius", &Ar::BottomArrowHeadRadius, &Ar::SetBottomArrowHeadRadius)
      .Enum("HeadStackingStyle", {"ahssStacked", "ahssCentered", "ahssIncluded"}, &Ar::HeadStackingStyle,
            &Ar::SetHeadStackingStyle, ahssStacked);
}

}  // namespace

void PublishQuadricProperties() {
  PublishRoundObjects();
  PublishCylinders();
}
