// The free form: the format registry, auto-scaling and auto-centring, its
// extents, ray casts, scene notification, the connectivity it keeps, and STL
// cubes drawn on Mesa.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/mesh_connectivity.h"
#include "scene3d/render/stage_buffer.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"
#include "support/stl_samples.h"
#include "support/temp_dir.h"

namespace {

class FreeForm : public SceneTest {
 protected:
  void LoadCube(TGLFreeForm& form, float edge, const std::string& name = "part.stl") {
    TStringStream stream(BinaryStl(CubeFacets(edge)));
    form.LoadMeshFromStream(name, stream);
  }
  TGLFreeForm form{nullptr};
};

TEST_F(FreeForm, ExtensionsPickTheFormat) {
  TempDir folder;
  form.LoadMeshFromFile(folder.write("part.STL", BinaryStl(CubeFacets(2))));
  EXPECT_EQ(form.MeshObjects().TriangleCount(), 12);
  form.LoadMeshFromFile("");  // nothing happens
  EXPECT_EQ(form.MeshObjects().Count(), 1);
  const std::string missing = folder.file("missing.stl");
  try {
    form.LoadMeshFromFile(missing);
    FAIL();
  } catch (const ELibraryError& error) {
    EXPECT_EQ(std::string(error.what()), "File not found: \"" + missing + "\"");
  }
  TStringStream stream("x");
  try {
    form.LoadMeshFromStream("folder.v2/part", stream);
    FAIL();
  } catch (const EInvalidVectorFile& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unknown file extension (), maybe you forgot to add the support unit to your uses? (GLFile?)");
  }
  EXPECT_EQ(form.MeshObjects().Count(), 0);
  EXPECT_THROW(form.LoadMeshFromStream("a.xyz", stream), EInvalidVectorFile);
}

TEST_F(FreeForm, AutoScalingAndCentring) {
  form.AutoScaling().SetPoint(2, 1, 1);
  LoadCube(form, 2);
  TAffineVector min, max;
  form.GetExtents(min, max);
  EXPECT_EQ(min.x, -2);
  EXPECT_EQ(max.y, 1);
  form.AutoScaling().SetPoint(1, 1, 1);
  form.AutoCentering = macCenterY;
  TStringStream stream(BinaryStl({StlFacet{{0, 0, 1}, {{{1, 2, 3}, {5, 2, 3}, {5, 6, 3}}}}}));
  form.LoadMeshFromStream("p.stl", stream);
  form.GetExtents(min, max);
  EXPECT_EQ(min.x, 1);
  EXPECT_EQ(min.y, -2);
  EXPECT_EQ(max.y, 2);
  EXPECT_EQ(min.z, 3);
  form.AutoCentering = macUseBarycenter | macCenterX;
  stream.SetPosition(0);
  form.LoadMeshFromStream("p.stl", stream);
  const TAffineVector centre = form.GetBarycenter();
  EXPECT_NEAR(centre.x, 0, 1e-6);
  EXPECT_NEAR(centre.y, 0, 1e-6);
  EXPECT_NEAR(centre.z, 0, 1e-6);
}

TEST_F(FreeForm, HalfSizeIsMeasuredFromTheOrigin) {
  EXPECT_EQ(form.AxisAlignedDimensionsUnscaled().x, 1e30f);
  TStringStream stream(BinaryStl({StlFacet{{0, 0, 1}, {{{-2, 0, 0}, {5, 0, 0}, {5, 1, 0}}}}}));
  form.LoadMeshFromStream("p.stl", stream);
  EXPECT_EQ(form.AxisAlignedDimensionsUnscaled().x, 5);
  EXPECT_EQ(form.AxisAlignedDimensionsUnscaled().y, 1);
}

TEST_F(FreeForm, RayCastFindsTheNearestFace) {
  LoadCube(form, 2);
  TVector4f point{9, 9, 9, 9}, normal{9, 9, 9, 9};
  EXPECT_FALSE(form.RayCastIntersect({5, 5, 5, 1}, {1, 0, 0, 0}, &point, &normal));
  EXPECT_EQ(point.x, 9);
  ASSERT_TRUE(form.RayCastIntersect({0, 0, 5, 1}, {0, 0, -1, 0}, &point, &normal));
  EXPECT_NEAR(point.z, 1, 1e-6);
  EXPECT_GT(normal.z, 0);
  form.SetNormalsOrientation(mnoInvert);
  ASSERT_TRUE(form.RayCastIntersect({0, 0, 5, 1}, {0, 0, -1, 0}, &point, &normal));
  EXPECT_LT(normal.z, 0);
}

TEST_F(FreeForm, OneSceneNotificationPerLoad) {
  TGLStage scene(nullptr);
  auto* part = scene.Objects().NewChildOfClass<TGLFreeForm>();
  TGLStageBuffer buffer(nullptr);
  int notifications = 0;
  buffer.OnChange = [&](TGLStageBuffer*) { ++notifications; };
  scene.AddBuffer(&buffer);
  TStringStream stream(BinaryStl(CubeFacets(2)));
  part->LoadMeshFromStream("p.stl", stream);
  EXPECT_EQ(notifications, 1);
  scene.RemoveBuffer(&buffer);
}

// A format that notes the file name it is given to read or write.
class NameNotingFormat : public TVectorFile {
 public:
  static constexpr const char* kClassName = "TNameNotingVectorFile";
  using TVectorFile::TVectorFile;
  std::string ClassName() const override { return kClassName; }
  static TDataFileCapabilities SupportedOperations() { return dfcRead | dfcWrite; }
  std::unique_ptr<TDataFile> NewOfSameClass(TPersistent* owner) const override {
    return std::make_unique<NameNotingFormat>(owner);
  }
  void LoadFromStream(TStream&) override { noted = ResourceName(); }
  void SaveToStream(TStream&) override { noted = ResourceName(); }
  static inline std::string noted;
};

TEST_F(FreeForm, AFormatIsRegisteredByItsClassNameAndToldTheFileNameItHandles) {
  RegisterMeshFileFormat<NameNotingFormat>("noted", "Names noted");
  for (const char* name : {"TNameNotingVectorFile", "TGLSTLVectorFile", "TGLGLSMVectorFile"})
    EXPECT_NO_THROW(FindClass(name)) << name;
  TStringStream stream;
  form.LoadMeshFromStream("folder/part.noted", stream);
  EXPECT_EQ(NameNotingFormat::noted, "folder/part.noted");
  form.AddMeshDataFromStream("added.noted", stream);
  EXPECT_EQ(NameNotingFormat::noted, "added.noted");
  form.SaveMeshToStream("saved.NOTED", stream);
  EXPECT_EQ(NameNotingFormat::noted, "saved.NOTED");
}

// Counts its own destruction.
class CountedConnectivity : public TBaseConnectivity {
 public:
  explicit CountedConnectivity(int& freed) : TBaseConnectivity(true), freed_(freed) {}
  ~CountedConnectivity() override { ++freed_; }

 private:
  int& freed_;
};

// The native archive of one face-group tetrahedron with a corner at `at`.
std::string TetrahedronArchive(const TAffineVector& at) {
  TGLFreeForm maker(nullptr);
  auto* tetrahedron = new TMeshObject(&maker.MeshObjects());
  tetrahedron->Mode = moFaceGroups;
  for (const TAffineVector& corner : {TAffineVector{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}})
    tetrahedron->Vertices().Add(AffineVectorAdd(at, corner));
  auto* faces = new TFGVertexIndexList(&tetrahedron->FaceGroups());
  for (int index : {0, 2, 1, 0, 1, 3, 1, 2, 3, 0, 3, 2}) faces->VertexIndices.Add(index);
  TStringStream stream;
  maker.SaveMeshToStream("t.glsm", stream);
  return stream.DataString();
}

void LoadArchive(TGLFreeForm& form, const std::string& archive) {
  TStringStream stream(archive);
  form.LoadMeshFromStream("t.glsm", stream);
}

// The outline's edges as the coordinates of their ends, in order.
std::vector<float> Outline(TGLFreeForm& form) {
  TGLSilhouetteParameters parameters;
  parameters.SeenFrom = {5, 5, 5};
  const std::unique_ptr<TGLSilhouette> silhouette = form.GenerateSilhouette(parameters);
  std::vector<float> ends;
  for (int i = 0; i < silhouette->Indices().Count(); ++i) {
    const TVector4f end = silhouette->Vertices().GetItem(silhouette->Indices().GetItem(i));
    ends.insert(ends.end(), {end.x, end.y, end.z});
  }
  return ends;
}

TEST_F(FreeForm, AKeptConnectivityGoesWithTheMeshObjectsItPointsAt) {
  const std::string moved = TetrahedronArchive({3, 0, 0});
  LoadArchive(form, TetrahedronArchive({0, 0, 0}));
  form.Connectivity = std::make_unique<TGLBaseMeshConnectivity>(form);
  EXPECT_EQ(Outline(form).size(), 3u * 2 * 3);  // three edges, two ends each
  LoadArchive(form, moved);
  EXPECT_FALSE(form.Connectivity);
  TGLFreeForm fresh(nullptr);
  LoadArchive(fresh, moved);
  EXPECT_EQ(Outline(form), Outline(fresh)) << "the reloaded mesh's outline";
  // A mesh object emptied under a kept connectivity is no longer read.
  form.Connectivity = std::make_unique<TGLBaseMeshConnectivity>(form);
  form.MeshObjects().Item(0).Clear();
  EXPECT_TRUE(Outline(form).empty());

  // Whatever frees the mesh objects frees the kept connectivity, once.
  int freed = 0;
  const std::pair<const char*, std::function<void()>> frees[] = {
      {"a load", [&] { LoadCube(form, 2); }},
      {"a native load adding",
       [&] {
         TStringStream stream(moved);
         form.AddMeshDataFromStream("t.glsm", stream);
       }},
      {"clearing", [&] { form.MeshObjects().Clear(); }},
      {"one freed", [&] { delete &form.MeshObjects().Item(0); }},
      {"a copy", [&] { form.Assign(&fresh); }},
  };
  for (const auto& [how, free] : frees) {
    LoadArchive(form, moved);
    form.Connectivity = std::make_unique<CountedConnectivity>(freed);
    const int before = freed;
    free();
    EXPECT_EQ(freed, before + 1) << how;
    EXPECT_FALSE(form.Connectivity) << how;
  }
  // Adding to the mesh frees nothing, so the connectivity stays; it goes when replaced and with the mesh.
  LoadCube(form, 2);
  form.Connectivity = std::make_unique<CountedConnectivity>(freed);
  const int kept = freed;
  {
    TStringStream stream(BinaryStl(CubeFacets(1)));
    form.AddMeshDataFromStream("more.stl", stream);
  }
  EXPECT_EQ(freed, kept);
  {
    TGLFreeForm owner(nullptr);
    owner.Connectivity = std::make_unique<CountedConnectivity>(freed);
    owner.Connectivity = std::make_unique<CountedConnectivity>(freed);
    EXPECT_EQ(freed, kept + 1) << "a replaced one goes at once";
  }
  EXPECT_EQ(freed, kept + 2);
}

// A connectivity held by a caller, or kept by another mesh, points into this
// mesh's objects; once they are freed it holds nothing of them.
TEST_F(FreeForm, AConnectivityHeldApartHoldsNothingOnceTheMeshObjectsAreFreed) {
  const std::string tetrahedron = TetrahedronArchive({0, 0, 0});
  const auto edges = [](TBaseConnectivity& connectivity) {
    TGLSilhouetteParameters parameters;
    parameters.SeenFrom = {5, 5, 5};
    std::unique_ptr<TGLSilhouette> silhouette;
    connectivity.CreateSilhouette(parameters, silhouette, false);
    return silhouette->Indices().Count() / 2;
  };
  TGLFreeForm other(nullptr);
  for (const bool reload : {true, false}) {
    LoadArchive(form, tetrahedron);
    TGLBaseMeshConnectivity held(form);
    TFaceGroupConnectivity heldObject(form.MeshObjects().Item(0), true);
    other.Connectivity = std::make_unique<TGLBaseMeshConnectivity>(form);
    ASSERT_EQ(edges(held), 3);
    ASSERT_EQ(edges(heldObject), 3);
    reload ? LoadArchive(form, tetrahedron) : form.MeshObjects().Clear();
    EXPECT_EQ(edges(held), 0) << reload;
    EXPECT_EQ(edges(heldObject), 0) << reload;
    EXPECT_EQ(edges(*other.Connectivity), 0) << reload;
    EXPECT_EQ(held.BaseMesh(), nullptr) << reload;
    EXPECT_EQ(heldObject.MeshObject(), nullptr) << reload;
  }
  // The mesh's end, with mesh objects or without: the connectivity outlives it.
  for (const bool loaded : {true, false}) {
    auto mesh = std::make_unique<TGLFreeForm>(nullptr);
    if (loaded) LoadArchive(*mesh, tetrahedron);
    TGLBaseMeshConnectivity held(*mesh);
    TFaceGroupConnectivity heldObject(true);
    if (loaded) heldObject.SetMeshObject(&mesh->MeshObjects().Item(0));
    mesh.reset();
    EXPECT_EQ(edges(held), 0) << loaded;
    EXPECT_EQ(edges(heldObject), 0) << loaded;
    EXPECT_EQ(held.BaseMesh(), nullptr) << loaded;
    EXPECT_EQ(heldObject.MeshObject(), nullptr) << loaded;
  }
  // One mesh object's own end; given another, it no longer hears the first; refused, it holds nothing.
  LoadArchive(form, tetrahedron);
  LoadArchive(other, tetrahedron);
  TFaceGroupConnectivity heldObject(other.MeshObjects().Item(0), true);
  heldObject.SetMeshObject(&form.MeshObjects().Item(0));
  other.MeshObjects().Clear();
  EXPECT_EQ(edges(heldObject), 3);
  delete &form.MeshObjects().Item(0);
  EXPECT_EQ(edges(heldObject), 0);
  EXPECT_EQ(heldObject.MeshObject(), nullptr);
  LoadArchive(form, tetrahedron);
  (new TFGVertexIndexList(&form.MeshObjects().Item(0).FaceGroups()))->Mode = fgmQuads;
  EXPECT_THROW(heldObject.SetMeshObject(&form.MeshObjects().Item(0)), EAssertionFailed);
  EXPECT_EQ(heldObject.MeshObject(), nullptr);
}

class FreeFormPixels : public GLPixelTest {
 protected:
  // Draws the form from +Z through an orthographic view of -10..10, back faces culled.
  int CoveredPixels(TGLFreeForm& form) {
    auto& gl = GL();
    gl.glClearColor(0, 0, 0, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.glOrtho(-10, 10, -10, 10, -100, 100);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadMatrixf(&form.AbsoluteMatrix()[0].x);
    gl.glEnable(GL_CULL_FACE);
    gl.glColor3f(1, 1, 1);
    TRenderContextInfo rci;
    form.BuildList(rci);
    gl.glFinish();
    std::vector<std::uint8_t> pixels(kWidth * kHeight * 4);
    gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int covered = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const bool lit = pixels[(y * kWidth + x) * 4] > 128;
        covered += lit;
        // Only the square of +-5 units (16..47) may be covered.
        if (lit) {
          EXPECT_TRUE(x >= 16 && x < 48 && y >= 16 && y < 48) << x << "," << y;
        }
      }
    return covered;
  }
};

TEST_F(FreeFormPixels, MetreCubeAtScaleOneHundredthFillsItsSquare) {
  InitializeScene3D();
  for (bool zeroNormals : {false, true}) {
    TGLFreeForm form(nullptr);
    TStringStream stream(BinaryStl(CubeFacets(1000, zeroNormals)));
    form.LoadMeshFromStream("cube.stl", stream);
    form.Scale().SetVector(0.01f, 0.01f, 0.01f);
    EXPECT_EQ(CoveredPixels(form), 32 * 32) << zeroNormals;
  }
  // One facet wound clockwise seen from the viewer, normal towards it: stored facing the viewer.
  TGLFreeForm facet(nullptr);
  TStringStream stream(BinaryStl({StlFacet{{0, 0, 1}, {{{-5, -5, 0}, {-5, 5, 0}, {5, 5, 0}}}}}));
  facet.LoadMeshFromStream("facet.stl", stream);
  EXPECT_GT(CoveredPixels(facet), 400);
}

}  // namespace
