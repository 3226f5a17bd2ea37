// Meshes read from files, the animated actor with its animations and
// controllers, and the vertex-array mesh.
#include "gfx3d/materials/material_library.h"
#include "scene3d/animation/actor.h"
#include "scene3d/animation/animation_controlers.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/vertex_array_mesh.h"
#include "scene3d/persistence/published_families.h"

namespace {

void PublishFreeForm() {
  using M = TGLBaseMesh;
  Publisher<M>("TGLFreeForm", "TGLStageObject")
      .Set("AutoCentering", {"macCenterX", "macCenterY", "macCenterZ", "macUseBarycenter"}, &M::AutoCentering,
           FieldSetter(&M::AutoCentering), 0u)
      .Object("AutoScaling", &M::AutoScaling)
      .Reference<TGLMaterialLibrary>("MaterialLibrary", &M::MaterialLibrary, &M::SetMaterialLibrary)
      .Reference<TGLMaterialLibrary>("LightmapLibrary", &M::LightmapLibrary, &M::SetLightmapLibrary)
      .Boolean("UseMeshMaterials", &M::UseMeshMaterials, &M::SetUseMeshMaterials, true)
      .Enum("NormalsOrientation", {"mnoDefault", "mnoInvert"}, &M::NormalsOrientation, &M::SetNormalsOrientation,
            mnoDefault);
}

void PublishActor() {
  const std::vector<std::string> references = {"aarMorph", "aarSkeleton", "aarNone"};
  using A = TGLActor;
  Publisher<A>("TGLActor", "TGLFreeForm")
      .Integer("StartFrame", &A::StartFrame, &A::SetStartFrame, 0)
      .Integer("EndFrame", &A::EndFrame, &A::SetEndFrame, 0)
      .Enum("Reference", references, &A::Reference, &A::SetReference, aarMorph)
      .Integer("CurrentFrame", &A::CurrentFrame, &A::SetCurrentFrame, 0)
      .Single("CurrentFrameDelta", &A::CurrentFrameDelta, FieldSetter(&A::CurrentFrameDelta))
      .Enum("FrameInterpolation", {"afpNone", "afpLinear"}, &A::FrameInterpolation, FieldSetter(&A::FrameInterpolation),
            afpLinear)
      .Enum("AnimationMode",
            {"aamNone", "aamPlayOnce", "aamLoop", "aamBounceForward", "aamBounceBackward", "aamLoopBackward",
             "aamExternal"},
            &A::AnimationMode, FieldSetter(&A::AnimationMode), aamNone)
      .Integer("Interval", &A::Interval, FieldSetter(&A::Interval))
      .Set("Options", {"aoSkeletonNormalizeNormals"}, &A::Options, FieldSetter(&A::Options), 1u)
      .Collection("Animations", [](A& o) -> TCollection& { return o.Animations(); })
      .Boolean("OverlaySkeleton", &A::OverlaySkeleton, FieldSetter(&A::OverlaySkeleton), false);
  using An = TActorAnimation;
  Publisher<An>("TActorAnimation", "")
      .String("Name", &An::Name, FieldSetter(&An::Name))
      .Integer("StartFrame", &An::StartFrame, &An::SetStartFrame)
      .Integer("EndFrame", &An::EndFrame, &An::SetEndFrame)
      .Enum("Reference", references, &An::Reference, &An::SetReference, aarMorph);
  using C = TGLBaseAnimationControler;
  Publisher<C>("TGLBaseAnimationControler", "")
      .Boolean("Enabled", &C::Enabled, &C::SetEnabled, true)
      .Reference<TGLActor>("Actor", &C::Actor, &C::SetActor);
  using Ac = TGLAnimationControler;
  Publisher<Ac>("TGLAnimationControler", "TGLBaseAnimationControler")
      .String("AnimationName", &Ac::AnimationName, &Ac::SetAnimationName)
      .Single("Ratio", &Ac::Ratio, &Ac::SetRatio);
}

}  // namespace

void PublishMeshProperties() {
  PublishFreeForm();
  PublishActor();
  using M = TGLMesh;
  Publisher<M>("TGLMesh", "TGLStageObject")
      .Enum("Mode", {"mmTriangleStrip", "mmTriangleFan", "mmTriangles", "mmQuadStrip", "mmQuads", "mmPolygon"},
            &M::Mode, &M::SetMode)
      .Enum("VertexMode", {"vmV", "vmVN", "vmVNC", "vmVNCT", "vmVNT", "vmVT"}, &M::VertexMode, &M::SetVertexMode,
            vmVNCT);
}
