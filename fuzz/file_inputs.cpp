#include "file_inputs.h"

#include "gfx3d/core/library_errors.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/animation/skeleton.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/mesh_connectivity.h"

namespace {

void InitializeOnce() {
  static const bool initialized = (InitializeScene3D(), true);
  (void)initialized;
}

// What the program does with a mesh it has read, short of drawing it; a bad
// index that slipped through the reader shows here. What loaded archives
// again and reads back whole.
bool UseMesh(TGLBaseMesh& mesh) {
  TAffineVectorList texCoords, normals;
  const TAffineVectorList corners = mesh.MeshObjects().ExtractTriangles(&texCoords, &normals);
  mesh.MeshObjects().TriangleCount();
  mesh.AxisAlignedDimensionsUnscaled();
  mesh.GetBarycenter();
  mesh.PrepareMesh();
  TStringStream archive;
  mesh.SaveMeshToStream("again.glsm", archive);
  archive.SetPosition(0);
  TGLFreeForm copy(nullptr);
  copy.Skeleton().Assign(&mesh.Skeleton());
  copy.LoadMeshFromStream("again.glsm", archive);
  return corners.Count() % 3 == 0 && copy.MeshObjects().Count() == mesh.MeshObjects().Count();
}

// A silhouette as a caller that keeps the mesh's connectivity asks for it;
// what the connectivity points into may have been replaced meanwhile.
void Outline(TGLBaseMesh& mesh) {
  TGLSilhouetteParameters parameters;
  parameters.SeenFrom = {1, 2, 3};
  try {
    mesh.GenerateSilhouette(parameters);
  } catch (const EAssertionFailed&) {
    // Quad face groups have no connectivity.
  }
}

// Poses the skeleton every way the actor does and drags its skinned meshes along.
void Pose(TSkeleton& skeleton) {
  const int last = skeleton.FrameCount() - 1;
  if (last < 0) return;
  skeleton.Lerp(0, last, 0.5f);
  skeleton.MorphMesh(true);
  TBlendedLerpInfo base, layer;
  layer.frameIndex1 = last;
  layer.weight = 0.5f;
  skeleton.BlendedLerps({base, layer});
  skeleton.MorphMesh(false);
  skeleton.SetCurrentFrame(skeleton.Frame(last));
  skeleton.MorphMesh(true);
}

}  // namespace

bool ReadMeshArchive(const std::string& bytes) {
  InitializeOnce();
  TGLFreeForm form(nullptr);
  // A bone, so skinned mesh objects bind to the skeleton as they are read.
  new TSkeletonBone(&form.Skeleton().RootBones());
  // A face of its own, so the connectivity kept for it reads its vertices.
  auto* kept = new TMeshObject(&form.MeshObjects());
  kept->Mode = moFaceGroups;
  kept->Vertices().Add3({1, 2, 3}, {4, 2, 3}, {1, 5, 3});
  (new TFGVertexIndexList(&kept->FaceGroups()))->VertexIndices.Add3(0, 1, 2);
  form.Connectivity = std::make_unique<TGLBaseMeshConnectivity>(form);
  TStringStream stream(bytes);
  try {
    form.AddMeshDataFromStream("fuzz.glsm", stream);
  } catch (const ELibraryError&) {
    Outline(form);
    return form.MeshObjects().Count() == 1 && &form.MeshObjects().Item(0) == kept && kept->Vertices().Count() == 3;
  }
  Outline(form);
  return UseMesh(form);
}

bool ReadSkeletonArchive(const std::string& bytes) {
  InitializeOnce();
  TGLFreeForm form(nullptr);
  TSkeleton& skeleton = form.Skeleton();
  new TSkeletonBone(&skeleton.RootBones());
  try {
    skeleton.LoadFromString(bytes);
  } catch (const ELibraryError&) {
    return skeleton.BoneCount() == 1 && skeleton.FrameCount() == 0;
  }
  skeleton.BoneByID(0);
  try {
    Pose(skeleton);
  } catch (const EAssertionFailed&) {
    // Frames of different sizes read whole, but the library refuses to blend them.
  }
  TSkeleton copy;
  copy.LoadFromString(skeleton.SaveToString());
  return copy.BoneCount() == skeleton.BoneCount() && copy.FrameCount() == skeleton.FrameCount();
}

bool ReadMaterialLibrary(const std::string& bytes) {
  InitializeOnce();
  TGLMaterialLibrary library(nullptr);
  // Both ways of loading, chosen by the input so that each is reached.
  library.KeepMaterialsOnLoad = bytes.size() % 2 == 1;
  library.Materials().Add()->SetName("kept");
  TStringStream stream(bytes);
  try {
    library.LoadFromStream(stream);
  } catch (const ELibraryError&) {
    return library.Materials().Count() == 1 && library.LibMaterialByName("kept");
  }
  TStringStream archive;
  library.SaveToStream(archive);
  archive.SetPosition(0);
  TGLMaterialLibrary copy(nullptr);
  copy.LoadFromStream(archive);
  return copy.Materials().Count() == library.Materials().Count();
}

bool ReadStlFile(const std::string& bytes) {
  InitializeOnce();
  TGLFreeForm form(nullptr);
  TStringStream stream(bytes);
  try {
    form.LoadMeshFromStream("fuzz.stl", stream);
  } catch (const ELibraryError&) {
    return form.MeshObjects().Count() == 0;
  }
  return UseMesh(form);
}
