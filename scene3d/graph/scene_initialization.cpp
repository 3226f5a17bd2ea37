#include "scene3d/scene_initialization.h"

#include <memory>

#include "gfx3d/initialization.h"
#include "scene3d/annulus.h"
#include "scene3d/arrow_line.h"
#include "scene3d/base_mesh.h"
#include "scene3d/behaviours.h"
#include "scene3d/camera.h"
#include "scene3d/cube.h"
#include "scene3d/cylinder.h"
#include "scene3d/disk.h"
#include "scene3d/dummy_cube.h"
#include "scene3d/earth_sky_dome.h"
#include "scene3d/extrusion_solid.h"
#include "scene3d/frustum.h"
#include "scene3d/height_field.h"
#include "scene3d/light_source.h"
#include "scene3d/lines.h"
#include "scene3d/offscreen_viewers.h"
#include "scene3d/persistence/scene_properties.h"
#include "scene3d/pipe.h"
#include "scene3d/plane.h"
#include "scene3d/points.h"
#include "scene3d/polygon.h"
#include "scene3d/proxy_objects.h"
#include "scene3d/revolution_solid.h"
#include "scene3d/space_text.h"
#include "scene3d/sphere.h"
#include "scene3d/sprite.h"
#include "scene3d/stage.h"
#include "scene3d/stl_vector_file.h"
#include "scene3d/teapot.h"
#include "scene3d/torus.h"
#include "scene3d/vertex_array_mesh.h"
#include "scene3d/xyz_grid.h"

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
