// The scene object bases, the scene, camera, light, proxy, dummy cube and
// the callback-drawn objects.
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/proxy_objects.h"
#include "scene3d/graph/stage.h"
#include "scene3d/persistence/published_families.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"

namespace {

using B = TGLBaseStageObject;

// Picks the writable one of each coordinates accessor pair.
using TCoordinatesAccessor = TGLCoordinates& (B::*)();
template <TCoordinatesAccessor Accessor>
TGLCoordinates& CoordinatesOf(B& o) {
  return (o.*Accessor)();
}
constexpr auto PositionOf = CoordinatesOf<&B::Position>;
constexpr auto DirectionOf = CoordinatesOf<&B::Direction>;
constexpr auto UpOf = CoordinatesOf<&B::Up>;
constexpr auto ScaleOf = CoordinatesOf<&B::Scale>;

// Direction to Up, as every scene object publishes them.
template <typename T>
Publisher<T>& Transform(Publisher<T>& p) {
  return p.Object("Direction", DirectionOf)
      .Single("PitchAngle", &T::PitchAngle, &T::SetPitchAngle)
      .Object("Position", PositionOf)
      .Single("RollAngle", &T::RollAngle, &T::SetRollAngle)
      .Object("Scale", ScaleOf)
      .Boolean("ShowAxes", &T::ShowAxes, &T::SetShowAxes, false)
      .Single("TurnAngle", &T::TurnAngle, &T::SetTurnAngle)
      .Object("Up", UpOf);
}

template <typename T>
Publisher<T>& Sorting(Publisher<T>& p, TGLObjectsSorting byDefault) {
  return p.Enum("ObjectsSorting", kObjectsSortingNames, &T::ObjectsSorting, &T::SetObjectsSorting, byDefault);
}

template <typename T>
Publisher<T>& Culling(Publisher<T>& p, TGLVisibilityCulling byDefault) {
  return p.Enum("VisibilityCulling", kVisibilityCullingNames, &T::VisibilityCulling, &T::SetVisibilityCulling,
                byDefault);
}

void PublishBases() {
  {
    Publisher<B> p("TGLBaseStageObject", "");
    Transform(p)
        .Boolean("Visible", &B::Visible, &B::SetVisible, true)
        .Single("TagFloat", &B::TagFloat, FieldSetter(&B::TagFloat));
  }
  using C = TGLCustomStageObject;
  const auto hint = &C::Hint;
  const auto setHint = FieldSetter(&C::Hint);
  {
    Publisher<C> p("TGLImmaterialStageObject", "TGLBaseStageObject");
    Culling(Sorting(p, osInherited), vcInherited).String("Hint", hint, setHint);
  }
  {
    Publisher<C> p("TGLStageObject", "TGLBaseStageObject");
    Culling(Sorting(p, osInherited), vcInherited)
        .StoredWhen(&C::HasMaterial)
        .Object("Material", &C::Material)
        .String("Hint", hint, setHint);
  }
  Publisher<C>("TGLCameraInvariantObject", "TGLImmaterialStageObject");
}

void PublishCameraAndLight() {
  using Cam = TGLCamera;
  Publisher<Cam>("TGLCamera", "")
      .Single("DepthOfView", &Cam::DepthOfView, &Cam::SetDepthOfView)
      .Single("FocalLength", &Cam::FocalLength, &Cam::SetFocalLength)
      .Single("SceneScale", &Cam::SceneScale, &Cam::SetSceneScale, 1.0f)
      .Single("NearPlaneBias", &Cam::NearPlaneBias, &Cam::SetNearPlaneBias, 1.0f)
      .Reference<B>("TargetObject", &Cam::TargetObject, &Cam::SetTargetObject)
      .Enum("CameraStyle", {"csPerspective", "csOrthogonal", "csOrtho2D", "csCustom", "csInfinitePerspective"},
            &Cam::CameraStyle, &Cam::SetCameraStyle, csPerspective)
      .Object("Position", PositionOf)
      .Object("Direction", DirectionOf)
      .Object("Up", UpOf);
  using L = TGLLightSource;
  Publisher<L>("TGLLightSource", "")
      .Object("Ambient", &L::Ambient)
      .Single("ConstAttenuation", &L::ConstAttenuation, &L::SetConstAttenuation)
      .Object("Diffuse", &L::Diffuse)
      .Single("LinearAttenuation", &L::LinearAttenuation, &L::SetLinearAttenuation)
      .Single("QuadraticAttenuation", &L::QuadraticAttenuation, &L::SetQuadraticAttenuation)
      .Object("Position", PositionOf)
      .Enum("LightStyle", {"lsSpot", "lsOmni", "lsParallel"}, &L::LightStyle, &L::SetLightStyle, lsSpot)
      .Boolean("Shining", &L::Shining, &L::SetShining, true)
      .Object("Specular", &L::Specular)
      .Single("SpotCutOff", &L::SpotCutOff, &L::SetSpotCutOff)
      .Object("SpotDirection", &L::SpotDirection)
      .Single("SpotExponent", &L::SpotExponent, &L::SetSpotExponent);
}

void PublishProxyAndCallbackObjects() {
  using P = TGLProxyObject;
  {
    Publisher<P> p("TGLProxyObject", "");
    p.Reference<B>("MasterObject", &P::MasterObject, &P::SetMasterObject)
        .Set("ProxyOptions", {"pooEffects", "pooObjects", "pooTransformation"}, &P::ProxyOptions, &P::SetProxyOptions,
             7u);
    Transform(Sorting(p, osInherited)).Boolean("Visible", &P::Visible, &P::SetVisible, true);
  }
  using D = TGLDirectOpenGL;
  Publisher<D>("TGLDirectOpenGL", "TGLImmaterialStageObject")
      .Boolean("UseBuildList", &D::UseBuildList, &D::SetUseBuildList, false)
      .Boolean("Blend", &D::Blend, &D::SetBlend, false);
  Publisher<TGLRenderPoint>("TGLRenderPoint", "TGLImmaterialStageObject");
}

void PublishDummyCubeAndScene() {
  using Dc = TGLDummyCube;
  Publisher<Dc>("TGLDummyCube", "TGLCameraInvariantObject")
      .Single("CubeSize", &Dc::CubeSize, &Dc::SetCubeSize)
      .Object("EdgeColor", &Dc::EdgeColor)
      .Boolean("VisibleAtRunTime", &Dc::VisibleAtRunTime, &Dc::SetVisibleAtRunTime, false)
      .Boolean("Amalgamate", &Dc::Amalgamate, &Dc::SetAmalgamate, false)
      .Enum("CamInvarianceMode", {"cimNone", "cimPosition", "cimOrientation"}, &Dc::CamInvarianceMode,
            &Dc::SetCamInvarianceMode, cimNone);
  Publisher<TGLStage> p("TGLStage", "");
  Culling(Sorting(p, osRenderBlendedLast), vcNone);
}

}  // namespace

void PublishStageObjectProperties() {
  PublishBases();
  PublishCameraAndLight();
  PublishProxyAndCallbackObjects();
  PublishDummyCubeAndScene();
}
