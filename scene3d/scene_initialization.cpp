#include "scene3d/scene_initialization.h"

#include <memory>

#include "gfx3d/initialization.h"
#include "scene3d/base_mesh.h"
#include "scene3d/behaviours.h"
#include "scene3d/camera.h"
#include "scene3d/dummy_cube.h"
#include "scene3d/extrusion_solid.h"
#include "scene3d/light_source.h"
#include "scene3d/offscreen_viewers.h"
#include "scene3d/proxy_objects.h"
#include "scene3d/stage.h"
#include "scene3d/stl_vector_file.h"
#include "scene3d/vertex_array_mesh.h"

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
  RegisterComponentClass<TGLDummyCube>("TGLDummyCube");
  RegisterBehaviourClasses();
  RegisterMeshClasses();
  RegisterSTLFormat();
  RegisterComponentClass<TGLMultiPolygon>("TGLMultiPolygon");
  RegisterComponentClass<TGLExtrusionSolid>("TGLExtrusionSolid");
  RegisterComponentClass<TGLMesh>("TGLMesh");
}
