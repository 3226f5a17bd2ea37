// Damaged mesh and skeleton archives: lists holding empty entries or objects
// of another kind, and skinned objects their skeleton refuses, raise the
// library's error and leave what they were read into as it was. The inputs the
// fuzz targets once crashed on, and the sound files they start from, are read
// again here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "fuzz/file_inputs.h"
#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/animation/skeleton.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene_fixture.h"

namespace fs = std::filesystem;

namespace {

using HostileMeshArchives = SceneTest;

// The archive of a generic list of these items; the items are freed.
std::string ListArchive(std::vector<TObject*> items) {
  TPersistentObjectList list;
  for (TObject* item : items) list.Add(item);
  std::string archive = list.SaveToString();
  list.FreeItemsAndClear();
  return archive;
}

// A mesh object whose face groups hold this entry instead of a group.
std::string MeshWithFaceGroupEntry(TObject* entry) {
  auto* mesh = new TMeshObject;
  mesh->FaceGroups().Add(entry);
  TPersistentObjectList list;
  list.Add(mesh);
  std::string archive = list.SaveToString();
  mesh->FaceGroups().Delete(0);
  delete entry;
  list.FreeItemsAndClear();
  return archive;
}

std::string SkinnedOnMissingBone() {
  auto* skinned = new TSkeletonMeshObject;
  skinned->Vertices().Add({1, 0, 0});
  skinned->ResizeWeights(1, 1);
  skinned->Weight(0, 0) = {7, 1};
  return ListArchive({skinned});
}

TEST_F(HostileMeshArchives, RefusedMeshArchivesLeaveTheMeshAsItWas) {
  // Each archive, and whether it is refused also by a load, which clears the skeleton first.
  const std::pair<std::string, bool> archives[] = {
      {ListArchive({new TMeshObject, nullptr}), true},
      {ListArchive({new TFGVertexIndexList}), true},
      {MeshWithFaceGroupEntry(nullptr), true},
      {MeshWithFaceGroupEntry(new TMeshObject), true},
      {SkinnedOnMissingBone(), false},
  };
  for (const auto& [archive, refusedByLoad] : archives) {
    TGLFreeForm form(nullptr);
    new TSkeletonBone(&form.Skeleton().RootBones());
    auto* kept = new TMeshObject(&form.MeshObjects());
    kept->Vertices().Add({1, 2, 3});
    TStringStream stream(archive);
    EXPECT_THROW(form.AddMeshDataFromStream("a.glsm", stream), ELibraryError);
    ASSERT_EQ(form.MeshObjects().Count(), 1);
    EXPECT_EQ(&form.MeshObjects().Item(0), kept);
    EXPECT_EQ(kept->Owner(), &form.MeshObjects());
    EXPECT_EQ(form.MeshObjects().TriangleCount(), 0);
    // A load clears the mesh before it reads, as it always has; a failure leaves it empty and usable.
    stream.SetPosition(0);
    if (!refusedByLoad) {
      form.LoadMeshFromStream("a.glsm", stream);
      EXPECT_EQ(form.MeshObjects().Count(), 1);
      continue;
    }
    EXPECT_THROW(form.LoadMeshFromStream("a.glsm", stream), ELibraryError);
    EXPECT_EQ(form.MeshObjects().Count(), 0);
    EXPECT_EQ(form.MeshObjects().ExtractTriangles().Count(), 0);
  }
}

TEST_F(HostileMeshArchives, SkeletonListsWithEmptyEntriesAreRefused) {
  const std::function<void(TSkeleton&)> damages[] = {
      [](TSkeleton& s) { s.RootBones().Add(nullptr); },
      [](TSkeleton& s) { s.Frames().Add(nullptr); },
      [](TSkeleton& s) {
        new TSkeletonBone(&s.RootBones());
        s.RootBones().Item(0).Add(nullptr);
      },
      [](TSkeleton& s) { s.Colliders().Add(nullptr); },
  };
  for (const auto& damage : damages) {
    TSkeleton damaged;
    damage(damaged);
    const std::string archive = damaged.SaveToString();
    // Take the empty entries out again before the skeleton frees its items.
    for (TPersistentObjectList* list :
         std::initializer_list<TPersistentObjectList*>{&damaged.RootBones(), &damaged.Frames(), &damaged.Colliders()})
      list->Remove(nullptr);
    if (damaged.RootBones().Count() > 0) damaged.RootBones().Item(0).Remove(nullptr);

    TGLFreeForm form(nullptr);
    auto* bone = new TSkeletonBone(&form.Skeleton().RootBones());
    EXPECT_THROW(form.Skeleton().LoadFromString(archive), ELibraryError);
    ASSERT_EQ(form.Skeleton().RootBones().Count(), 1);
    EXPECT_EQ(&form.Skeleton().RootBones().Item(0), bone);
    EXPECT_EQ(form.Skeleton().BoneCount(), 1);
  }
}

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(HostileMeshArchives, InputsTheFuzzTargetsFoundAreHandled) {
  const char* source = std::getenv("RACKWRIGHT_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::pair<const char*, bool (*)(const std::string&)> targets[] = {{"mesh_archive", ReadMeshArchive},
                                                                          {"skeleton_archive", ReadSkeletonArchive},
                                                                          {"material_library", ReadMaterialLibrary},
                                                                          {"stl_file", ReadStlFile}};
  int inputs = 0;
  for (const auto& [name, read] : targets)
    for (const char* kind : {"regressions", "seeds"}) {
      const fs::path folder = fs::path(source) / "fuzz" / kind / name;
      if (!fs::is_directory(folder)) continue;
      for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
        EXPECT_TRUE(read(FileBytes(file.path()))) << file.path();
        ++inputs;
      }
    }
  EXPECT_GT(inputs, 0);
}

}  // namespace
