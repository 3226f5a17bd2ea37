#include "scene3d/graph/scene_initialization.h"

#include <memory>

#include "gfx3d/core/initialization.h"
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
#include "scene3d/meshes/stl_vector_file.h"
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
#include "scene3d/persistence/scene_properties.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"
#include "scene3d/render/offscreen_viewers.h"
#include "scene3d/sky/earth_sky_dome.h"
#include "scene3d/text/space_text.h"

namespace {

template <typename Class>
void RegisterComponentClass(const char* name) {
  RegisterClass(name, [] { return std::make_unique<Class>(nullptr); });
}

}  // namespace

void InitializeScene3D() {
  InitializeGfx3D();
  RegisterComponentClass<TGLLightSource>("TGLLightSource");
  RegisterComponentClass<TGLCamera>("TGLCamera");
  RegisterComponentClass<TGLProxyObject>("TGLProxyObject");
  RegisterComponentClass<TGLStage>("TGLStage");
  RegisterComponentClass<TGLDirectOpenGL>("TGLDirectOpenGL");
  RegisterComponentClass<TGLRenderPoint>("TGLRenderPoint");
  RegisterComponentClass<TGLMemoryViewer>("TGLMemoryViewer");
  RegisterComponentClass<TGLSphere>("TGLSphere");
  RegisterComponentClass<TGLCube>("TGLCube");
  RegisterComponentClass<TGLPlane>("TGLPlane");
  RegisterComponentClass<TGLSprite>("TGLSprite");
  RegisterComponentClass<TGLPoints>("TGLPoints");
  RegisterComponentClass<TGLDummyCube>("TGLDummyCube");
  RegisterComponentClass<TGLLines>("TGLLines");
  RegisterComponentClass<TGLCylinder>("TGLCylinder");
  RegisterComponentClass<TGLCone>("TGLCone");
  RegisterComponentClass<TGLTorus>("TGLTorus");
  RegisterComponentClass<TGLDisk>("TGLDisk");
  RegisterComponentClass<TGLArrowLine>("TGLArrowLine");
  RegisterComponentClass<TGLAnnulus>("TGLAnnulus");
  RegisterComponentClass<TGLFrustrum>("TGLFrustrum");
  RegisterComponentClass<TGLPolygon>("TGLPolygon");
  RegisterComponentClass<TGLRevolutionSolid>("TGLRevolutionSolid");
  RegisterComponentClass<TGLPipe>("TGLPipe");
  RegisterComponentClass<TGLTeapot>("TGLTeapot");
  RegisterComponentClass<TGLHeightField>("TGLHeightField");
  RegisterComponentClass<TGLXYZGrid>("TGLXYZGrid");
  RegisterComponentClass<TGLSkyDome>("TGLSkyDome");
  RegisterComponentClass<TGLSpaceText>("TGLSpaceText");
  RegisterComponentClass<TGLEarthSkyDome>("TGLEarthSkyDome");
  RegisterBehaviourClasses();
  RegisterMeshClasses();
  RegisterSTLFormat();
  RegisterComponentClass<TGLMultiPolygon>("TGLMultiPolygon");
  RegisterComponentClass<TGLExtrusionSolid>("TGLExtrusionSolid");
  RegisterComponentClass<TGLMesh>("TGLMesh");
  PublishSceneProperties();
}

void FinalizeScene3D() { FinalizeGfx3D(); }
