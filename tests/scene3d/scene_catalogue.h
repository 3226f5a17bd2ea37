// One object of every streamed scene class, each with properties away from
// its defaults, laid out on a grid in front of a camera that looks at a
// target dummy cube; and the components that refer into the scene.
#pragma once

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "gfx3d/materials/textures.h"
#include "gfx3d/persistence/binary_filers.h"
#include "scene3d/animation/actor.h"
#include "scene3d/animation/animation_controlers.h"
#include "scene3d/contours/contours.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/graph/behaviours.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/proxy_objects.h"
#include "scene3d/graph/stage.h"
#include "scene3d/lines/height_field.h"
#include "scene3d/lines/lines.h"
#include "scene3d/lines/pipe.h"
#include "scene3d/lines/points.h"
#include "scene3d/lines/polygon.h"
#include "scene3d/lines/revolution_solid.h"
#include "scene3d/lines/xyz_grid.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/vertex_array_mesh.h"
#include "scene3d/objects/annulus.h"
#include "scene3d/objects/arrow_line.h"
#include "scene3d/objects/cube.h"
#include "scene3d/objects/cylinder.h"
#include "scene3d/objects/disk.h"
#include "scene3d/objects/frustum.h"
#include "scene3d/objects/plane.h"
#include "scene3d/objects/sphere.h"
#include "scene3d/objects/sprite.h"
#include "scene3d/objects/teapot.h"
#include "scene3d/objects/torus.h"
#include "scene3d/persistence/scene_stream.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"
#include "scene3d/render/offscreen_viewers.h"
#include "scene3d/sky/earth_sky_dome.h"
#include "scene3d/text/space_text.h"

// Places each new object on the next cell of a 7-wide grid and gives it a colour of its own.
class SceneCatalogue {
 public:
  explicit SceneCatalogue(TGLStage& scene) : scene_(scene) {}

  template <typename Class>
  Class& Add(const std::string& name) {
    auto* object = scene_.Objects().NewChildOfClass<Class>();
    object->SetName(name);
    const int cell = count_++;
    object->Position().SetPoint(static_cast<float>(cell % 7) * 3 - 9, 7.5f - static_cast<float>(cell / 7) * 3, 0);
    if (auto* custom = dynamic_cast<TGLCustomStageObject*>(object)) {
      custom->Material().FrontProperties().Diffuse().SetColor(
          {0.2f + 0.1f * static_cast<float>(cell % 7), 0.9f - 0.15f * static_cast<float>(cell / 7), 0.5f, 1});
      custom->Hint = name + " hint";
    }
    return *object;
  }

 private:
  TGLStage& scene_;
  int count_ = 0;
};

inline void AddFlatObjects(SceneCatalogue& c) {
  auto& plane = c.Add<TGLPlane>("Plane1");
  plane.SetWidth(2), plane.SetHeight(1.5f), plane.SetXTiles(2), plane.SetYTiles(3), plane.SetStyle(psTileTexture);
  plane.SetXOffset(0.25f), plane.SetXScope(0.5f), plane.NoZWrite = true;
  TGLTexture& texture = plane.Material().Texture();
  QImage checker(4, 4, QImage::Format_ARGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) checker.setPixel(x, y, (x + y) % 2 ? 0xFFFF8000 : 0xFF0040FF);
  static_cast<TGLPersistentImage&>(texture.Image()).SetPicture(checker);
  texture.SetMinFilter(miNearest), texture.SetMagFilter(maNearest), texture.SetTextureMode(tmModulate);
  texture.SetDisabled(false);
  auto& sprite = c.Add<TGLSprite>("Sprite1");
  sprite.SetWidth(1.5f), sprite.SetRotation(30), sprite.SetAlphaChannel(0.5f), sprite.SetMirrorU(true);
  sprite.Material().SetBlendingMode(bmTransparency);
  auto& cube = c.Add<TGLCube>("Cube1");
  cube.SetCubeWidth(2), cube.SetCubeDepth(0.5f), cube.SetParts(cpTop | cpFront | cpLeft | cpRight);
  cube.SetPitchAngle(30), cube.SetTurnAngle(-20), cube.SetRollAngle(10);
  cube.Material().SetFaceCulling(fcNoCull);
  auto& frustum = c.Add<TGLFrustrum>("Frustum1");
  frustum.SetBaseWidth(2), frustum.SetApexHeight(2), frustum.SetHeight(1.5f), frustum.SetParts(fpBottom | fpFront);
  frustum.Material().SetFaceCulling(fcNoCull);
  auto& torus = c.Add<TGLTorus>("Torus1");
  torus.SetRings(12), torus.SetSides(6), torus.SetMinorRadius(0.3f), torus.SetMajorRadius(0.9f);
  c.Add<TGLTeapot>("Teapot1").Scale().SetVector(0.5f, 0.5f, 0.5f);
  auto& polygon = c.Add<TGLPolygon>("Polygon1");
  polygon.Nodes().AddNode(-1, -1, 0), polygon.Nodes().AddNode(1, -1, 0), polygon.Nodes().AddNode(0, 1, 0);
  polygon.Nodes().AddNode(0, 0, 0);  // a node at the origin stores no coordinate
  polygon.SetParts(ppTop), polygon.SetDivision(3);
}

inline void AddQuadrics(SceneCatalogue& c) {
  auto& sphere = c.Add<TGLSphere>("Sphere1");
  sphere.SetRadius(1.2f), sphere.SetSlices(9), sphere.SetStacks(7), sphere.SetTop(60), sphere.SetStop(270);
  sphere.SetTopCap(ctFlat), sphere.SetNormals(nsFlat);
  auto& disk = c.Add<TGLDisk>("Disk1");
  disk.SetInnerRadius(0.4f), disk.SetOuterRadius(1.1f), disk.SetSweepAngle(300), disk.SetSlices(7), disk.SetLoops(3);
  disk.Material().SetFaceCulling(fcNoCull);
  auto& cylinder = c.Add<TGLCylinder>("Cylinder1");
  cylinder.SetTopRadius(0.2f), cylinder.SetHeight(2), cylinder.SetSlices(8), cylinder.SetAlignment(caTop);
  cylinder.SetParts(cySides | cyTop), cylinder.SetPitchAngle(40);
  auto& cone = c.Add<TGLCone>("Cone1");
  cone.SetBottomRadius(0.9f), cone.SetStacks(2), cone.SetParts(coSides), cone.SetNormalDirection(ndInside);
  cone.Material().SetFaceCulling(fcNoCull);
  auto& annulus = c.Add<TGLAnnulus>("Annulus1");
  annulus.SetBottomInnerRadius(0.6f), annulus.SetTopRadius(1), annulus.SetParts(anOuterSides | anTop);
  annulus.SetPitchAngle(60);
  auto& arrow = c.Add<TGLArrowLine>("Arrow1");
  arrow.SetParts(alLine | alTopArrow | alBottomArrow), arrow.SetTopArrowHeadRadius(0.4f), arrow.SetHeight(2.5f);
  arrow.SetHeadStackingStyle(ahssCentered), arrow.SetRollAngle(45);
}

inline void AddLinesAndPoints(SceneCatalogue& c) {
  auto& points = c.Add<TGLPoints>("Points1");
  for (int i = 0; i < 5; ++i) points.Positions().Add(TAffineVector{0.4f * static_cast<float>(i) - 0.8f, 0, 0});
  points.Colors().Add(TVector4f{1, 1, 0, 1});
  points.SetSize(5), points.SetStyle(psRound), points.SetStatic(true);
  points.PointParameters().SetMaxSize(64);
  auto& lines = c.Add<TGLLines>("Lines1");
  lines.SetLineWidth(3), lines.SetLinePattern(0xF0F0), lines.SetNodesAspect(lnaCube), lines.SetNodeSize(0.3f);
  lines.Nodes().AddNode(-1, -1, 0), lines.Nodes().AddNode(0, 1, 0), lines.Nodes().AddNode(1, -1, 0);
  static_cast<TGLLinesNode&>(*lines.Nodes().Items(1)).Color().SetColor({1, 0, 0, 1});
  lines.SetSplineMode(lsmCubicSpline), lines.SetDivision(4), lines.SetOptions(loUseNodeColorForLines);
  lines.LineColor().SetColor({0, 1, 1, 1});
  auto& grid = c.Add<TGLXYZGrid>("Grid1");
  grid.XSamplingScale().SetMin(-1), grid.XSamplingScale().SetMax(1), grid.XSamplingScale().SetStep(0.5f);
  grid.YSamplingScale().SetMin(-1), grid.YSamplingScale().SetMax(1), grid.YSamplingScale().SetStep(0.25f);
  grid.SetParts(gpX | gpY | gpZ), grid.SetLinesStyle(glsLine);
  auto& field = c.Add<TGLHeightField>("HeightField1");
  field.XSamplingScale().SetMin(-1), field.XSamplingScale().SetMax(1), field.XSamplingScale().SetStep(0.2f);
  field.YSamplingScale().SetMin(-1), field.YSamplingScale().SetMax(1), field.YSamplingScale().SetStep(0.2f);
  field.SetOptions(hfoTwoSided | hfoTextureCoordinates), field.SetColorMode(hfcmDiffuse);
}

inline void AddSolids(SceneCatalogue& c) {
  auto& multi = c.Add<TGLMultiPolygon>("Multi1");
  TGLContour& outline = *multi.Contours().Add();
  outline.Nodes().AddNode(-1, -1, 0), outline.Nodes().AddNode(1, -1, 0), outline.Nodes().AddNode(1, 1, 0);
  outline.Nodes().AddNode(-1, 1, 0), outline.Description = "outline";
  TGLContour& hole = *multi.Contours().Add();
  hole.Nodes().AddNode(-0.4f, -0.4f, 0), hole.Nodes().AddNode(-0.4f, 0.4f, 0), hole.Nodes().AddNode(0.4f, 0.4f, 0);
  multi.SetParts(ppTop);
  auto& extrusion = c.Add<TGLExtrusionSolid>("Extrusion1");
  TGLContour& base = *extrusion.Contours().Add();
  base.Nodes().AddNode(-1, -0.5f, 0), base.Nodes().AddNode(1, -0.5f, 0), base.Nodes().AddNode(0, 1, 0);
  extrusion.SetHeight(0.8f), extrusion.SetStacks(2), extrusion.SetParts(15), extrusion.SetNormals(nsSmooth);
  extrusion.SetMinSmoothAngle(30), extrusion.SetPitchAngle(-35);
  auto& revolution = c.Add<TGLRevolutionSolid>("Revolution1");
  revolution.Nodes().AddNode(0.3f, -1, 0), revolution.Nodes().AddNode(1, 0, 0), revolution.Nodes().AddNode(0.3f, 1, 0);
  revolution.SetSlices(9), revolution.SetStopAngle(270), revolution.SetParts(3), revolution.SetNormals(nsSmooth);
  revolution.Material().SetFaceCulling(fcNoCull);
  auto& pipe = c.Add<TGLPipe>("Pipe1");
  pipe.Nodes().AddNode(-1, -1, 0), pipe.Nodes().AddNode(0, 0.5f, 0), pipe.Nodes().AddNode(1, -1, 0);
  static_cast<TGLPipeNode&>(*pipe.Nodes().Items(1)).SetRadiusFactor(2);
  pipe.SetRadius(0.2f), pipe.SetSlices(7), pipe.SetParts(ppOutside | ppStartDisk);
  auto& mesh = c.Add<TGLMesh>("Mesh1");
  mesh.SetMode(mmTriangles), mesh.SetVertexMode(vmVN);
}

inline void AddObjectsOfTheirOwn(SceneCatalogue& c, TGLCube& master) {
  auto& text = c.Add<TGLSpaceText>("Text1");
  text.SetText("Ab"), text.SetExtrusion(0.2f), text.SetCharacterRange(stcrAlphaNum), text.Adjust().SetHorz(haCenter);
  text.Font().SetStyle(fsBold);
  auto& freeForm = c.Add<TGLFreeForm>("FreeForm1");
  freeForm.SetUseMeshMaterials(false), freeForm.AutoCentering = macCenterX | macCenterZ;
  freeForm.SetNormalsOrientation(mnoInvert);
  auto& actor = c.Add<TGLActor>("Actor1");
  actor.SetEndFrame(4), actor.Interval = 40, actor.AnimationMode = aamLoop, actor.OverlaySkeleton = true;
  auto* walk = static_cast<TActorAnimation*>(actor.Animations().Add());
  walk->Name = "walk", walk->SetEndFrame(3), walk->SetReference(aarSkeleton);
  auto& proxy = c.Add<TGLProxyObject>("Proxy1");
  proxy.SetMasterObject(&master), proxy.SetProxyOptions(pooObjects | pooEffects), proxy.SetTurnAngle(90);
  c.Add<TGLDirectOpenGL>("Direct1").SetUseBuildList(true);
  c.Add<TGLRenderPoint>("RenderPoint1").SetVisible(false);
  auto& sky = c.Add<TGLSkyDome>("Sky1");
  sky.Bands().Items(0).SetSlices(20);
  static_cast<TSkyDomeStar*>(sky.Stars().Add())->Magnitude = 2;
  sky.SetOptions(sdoTwinkle), sky.SetVisible(false);
  auto& earth = c.Add<TGLEarthSkyDome>("EarthSky1");
  earth.SetSunElevation(30), earth.SetTurbidity(30), earth.SetSlices(12), earth.SetStacks(8);
  earth.HazeColor().SetColor({0.6f, 0.3f, 0.3f, 0}), earth.SkyColor().SetColor({0.1f, 0.2f, 0.6f, 0}),
      earth.SetExtendedOptions(esoFadeStarsWithSun);
  earth.SetIndex(0);  // a sky writes no depth: it goes first
}

inline std::string Written(const std::vector<TComponent*>& components) {
  TStringStream stream;
  TBinaryWriter writer(stream);
  WriteComponents(writer, components);
  return stream.DataString();
}

inline std::vector<std::unique_ptr<TComponent>> Read(const std::string& bytes) {
  TStringStream stream(bytes);
  TBinaryReader reader(stream);
  return ReadComponents(reader);
}

inline TGLBaseStageObject* Named(TGLBaseStageObject& parent, const std::string& name) {
  for (int i = 0; i < parent.Count(); ++i) {
    if (parent.Children(i)->Name() == name) return parent.Children(i);
    if (TGLBaseStageObject* found = Named(*parent.Children(i), name)) return found;
  }
  return nullptr;
}

// Every streamed class in one scene, seen by a camera on its target, with the viewer and an actor's controller.
struct Everything {
  TGLStage scene{nullptr};
  TGLMemoryViewer viewer{nullptr};
  TGLAnimationControler controler{nullptr};

  Everything() {
    scene.SetName("Scene1");
    scene.SetObjectsSorting(osNone);
    auto* target = scene.Objects().NewChildOfClass<TGLDummyCube>();
    target->SetName("Target");
    target->SetCubeSize(2.5f), target->SetVisibleAtRunTime(true), target->EdgeColor().SetColor({1, 1, 0, 1});
    auto* camera = scene.Cameras().NewChildOfClass<TGLCamera>();
    camera->SetName("Camera1");
    camera->SetDepthOfView(200), camera->SetFocalLength(48), camera->SetNearPlaneBias(0.5f);
    camera->Position().SetPoint(0, 0, 30), camera->SetTargetObject(target);
    auto* light = scene.Objects().NewChildOfClass<TGLLightSource>();
    light->SetName("Light1");
    light->Position().SetPoint(5, 10, 20), light->SetLightStyle(lsOmni), light->SetLinearAttenuation(0.01f);
    light->Diffuse().SetColor({1, 0.9f, 0.8f, 1});
    SceneCatalogue catalogue(scene);
    AddFlatObjects(catalogue);
    AddQuadrics(catalogue);
    AddLinesAndPoints(catalogue);
    AddSolids(catalogue);
    auto& cube = static_cast<TGLCube&>(*Named(scene.Objects(), "Cube1"));
    cube.Effects().AddItem(TGLObjectPreEffect::ItemClassInfo()).SetName("glow");
    AddObjectsOfTheirOwn(catalogue, cube);
    viewer.SetName("Viewer1");
    viewer.SetWidth(480), viewer.SetHeight(320), viewer.SetCamera(camera);
    viewer.Buffer().SetBackgroundColor(0x302010), viewer.Buffer().AmbientColor().SetColor({0.3f, 0.3f, 0.3f, 1});
    controler.SetName("Controler1");
    controler.SetActor(static_cast<TGLActor*>(Named(scene.Objects(), "Actor1")));
    controler.SetAnimationName("walk"), controler.SetRatio(0.25f);
  }
  std::vector<TComponent*> Components() { return {&scene, &viewer, &controler}; }
};
