// The scene's property stream: one object of every streamed class written
// and read back into fresh components; what default objects leave out; how parents, references and loading come back;
// and the streams that are refused.
#include "scene3d/persistence/scene_stream.h"

#include <gtest/gtest.h>

#include <set>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/materials/material_library.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/property_stream.h"
#include "gfx3d/persistence/published_properties.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene_catalogue.h"

namespace {

const std::vector<std::string> kStreamedClasses = {"TGLLightSource",  "TGLCamera",          "TGLProxyObject",
                                                   "TGLStage",        "TGLDirectOpenGL",    "TGLRenderPoint",
                                                   "TGLMemoryViewer", "TGLSphere",          "TGLCube",
                                                   "TGLPlane",        "TGLSprite",          "TGLPoints",
                                                   "TGLDummyCube",    "TGLLines",           "TGLCylinder",
                                                   "TGLCone",         "TGLTorus",           "TGLDisk",
                                                   "TGLArrowLine",    "TGLAnnulus",         "TGLFrustrum",
                                                   "TGLPolygon",      "TGLRevolutionSolid", "TGLPipe",
                                                   "TGLTeapot",       "TGLHeightField",     "TGLXYZGrid",
                                                   "TGLSkyDome",      "TGLSpaceText",       "TGLEarthSkyDome",
                                                   "TGLFreeForm",     "TGLActor",           "TGLAnimationControler",
                                                   "TGLMultiPolygon", "TGLExtrusionSolid",  "TGLMesh"};

std::string PropertiesOf(TPersistent& object) {
  TStringStream stream;
  TBinaryWriter writer(stream);
  TPropertyWriter(writer).WriteProperties(object);
  return stream.DataString();
}

// A name as the filer writes it, so that a search cannot match inside another value.
std::string NameBytes(const std::string& name) { return std::string(1, vaString) + char(name.size()) + name; }

void CollectClasses(TGLBaseStageObject& parent, std::set<std::string>& classes) {
  for (int i = 0; i < parent.Count(); ++i) {
    classes.insert(parent.Children(i)->ClassName());
    CollectClasses(*parent.Children(i), classes);
  }
}

class SceneStream : public testing::Test {
 protected:
  void SetUp() override { InitializeScene3D(); }
};

}  // namespace

TEST_F(SceneStream, EveryClassComesBackWithTheSamePropertiesAndReferences) {
  Everything original;
  std::set<std::string> classes = {"TGLStage", "TGLMemoryViewer", "TGLAnimationControler"};
  CollectClasses(original.scene.Objects(), classes);
  CollectClasses(original.scene.Cameras(), classes);
  for (const std::string& name : kStreamedClasses) EXPECT_TRUE(classes.count(name)) << name << " is not in the scene";

  const std::string bytes = Written(original.Components());
  std::vector<std::unique_ptr<TComponent>> read = Read(bytes);
  ASSERT_EQ(read.size(), 3u);
  auto* scene = dynamic_cast<TGLStage*>(read[0].get());
  auto* viewer = dynamic_cast<TGLMemoryViewer*>(read[1].get());
  auto* controler = dynamic_cast<TGLAnimationControler*>(read[2].get());
  ASSERT_TRUE(scene && viewer && controler);
  EXPECT_EQ(Written({scene, viewer, controler}), bytes);

  ASSERT_EQ(scene->Cameras().Count(), 1);
  auto* camera = static_cast<TGLCamera*>(scene->Cameras().Children(0));
  EXPECT_EQ(camera->TargetObject(), Named(scene->Objects(), "Target"));
  EXPECT_EQ(viewer->Camera(), camera);
  EXPECT_EQ(controler->Actor(), Named(scene->Objects(), "Actor1"));
  auto* proxy = static_cast<TGLProxyObject*>(Named(scene->Objects(), "Proxy1"));
  EXPECT_EQ(proxy->MasterObject(), Named(scene->Objects(), "Cube1"));
  EXPECT_EQ(proxy->MasterObject()->Effects().Items(0).Name(), "glow");
  EXPECT_EQ(static_cast<TGLSprite*>(Named(scene->Objects(), "Sprite1"))->Hint, "Sprite1 hint");
}

TEST_F(SceneStream, DefaultObjectsStoreNoneOfTheirDefaultedProperties) {
  for (const std::string& name : kStreamedClasses) {
    std::unique_ptr<TPersistent> object = FindClass(name)();
    ASSERT_EQ(object->ClassName(), name);
    const std::vector<const TPublishedProperty*> published = PublishedProperties(*object);
    EXPECT_FALSE(published.empty()) << name;
    const std::string written = PropertiesOf(*object);
    for (const TPublishedProperty* property : published) {
      if (!property->atDefault) continue;
      // The earth dome declares 24 slices and 48 stacks but starts with 48 and 24, so it writes both.
      const bool declaredAgainstItsStart =
          name == "TGLEarthSkyDome" && (property->name == "Slices" || property->name == "Stacks");
      EXPECT_NE(property->atDefault(*object), declaredAgainstItsStart) << name << "." << property->name;
      EXPECT_EQ(written.find(NameBytes(property->name)) != std::string::npos, declaredAgainstItsStart)
          << name << "." << property->name;
    }
    for (const char* unwritten : {"CubeSize", "FrustrumSize", "PointParams", "Material.FrontProperties.Diffuse.Color",
                                  "BehavioursData", "EffectsData", "Nodes", "Contours", "Positions"}) {
      if (FindPublishedProperty(*object, unwritten)) continue;  // the dummy cube's CubeSize is always stored
      EXPECT_EQ(written.find(NameBytes(unwritten)), std::string::npos) << name << " writes " << unwritten;
    }
    if (dynamic_cast<TGLBaseStageObject*>(object.get())) {
      EXPECT_NE(written.find(NameBytes("Position.Coordinates")), std::string::npos) << name;
    }
  }
  // A node at the origin stores none of X, Y, Z; elsewhere only what is not 0.
  TGLPolygon polygon(nullptr);
  polygon.Nodes().AddNode(0, 0, 0);
  polygon.Nodes().AddNode(0, 2, 0);
  const std::string nodes = PropertiesOf(*polygon.Nodes().Items(0)) + "|" + PropertiesOf(*polygon.Nodes().Items(1));
  EXPECT_EQ(nodes, "|" + NameBytes("Y") + char(vaExtended) + std::string("\0\0\0\0\0\0\0\x80\x00\x40", 10));
}

TEST_F(SceneStream, ReadingSetsParentsAndAnglesWithoutTurningAgainThenTellsEachObjectItLoaded) {
  TGLStage scene(nullptr);
  auto* group = scene.Objects().NewChildOfClass<TGLDummyCube>();
  group->SetName("Group");
  auto* cube = group->NewChildOfClass<TGLCube>();
  cube->SetTurnAngle(90);
  cube->Position().SetPoint(1, 2, 3);
  scene.Cameras().NewChildOfClass<TGLCamera>()->SetTargetObject(group);
  const TVector4f direction = cube->Direction().AsVector();

  std::vector<std::unique_ptr<TComponent>> read = Read(Written({&scene}));
  auto& copy = static_cast<TGLStage&>(*read.at(0));
  ASSERT_EQ(copy.Objects().Count(), 1);
  TGLBaseStageObject& readGroup = *copy.Objects().Children(0);
  ASSERT_EQ(readGroup.Count(), 1);
  auto& readCube = static_cast<TGLCube&>(*readGroup.Children(0));
  EXPECT_EQ(readCube.Parent(), &readGroup);
  EXPECT_EQ(readCube.Scene(), &copy);
  EXPECT_EQ(readCube.TurnAngle(), 90);
  EXPECT_TRUE(readCube.Direction().Equals(direction));
  const TVector4f position = readCube.AbsolutePosition();
  EXPECT_EQ(std::vector<float>({position.x, position.y, position.z, position.w}), std::vector<float>({1, 2, 3, 1}));
  EXPECT_FALSE(readCube.IsLoading());
  ASSERT_EQ(copy.Cameras().Count(), 1);
  EXPECT_EQ(static_cast<TGLCamera*>(copy.Cameras().Children(0))->TargetObject(), &readGroup);

  // Colours are read straight into their values: a dome derives its sky from them once loaded.
  TGLEarthSkyDome dome(nullptr);
  dome.SkyColor().SetColor({0.1f, 0.2f, 0.6f, 0});
  std::vector<std::unique_ptr<TComponent>> domes = Read(Written({&dome}));
  EXPECT_TRUE(VectorEquals(static_cast<TGLEarthSkyDome&>(*domes.at(0)).CurrentSkyColor(), dome.CurrentSkyColor()));
}

// A library travels in the stream as a component of its own; the materials
// linked to it find it again by name once everything is read.
TEST_F(SceneStream, AMaterialLibraryComesBackWithTheMaterialsLinkedToIt) {
  TGLMaterialLibrary library(nullptr);
  library.SetName("Library1");
  TGLLibMaterial& glass = *library.Materials().Add();
  glass.SetName("glass");
  glass.Material().FrontProperties().Diffuse().SetColor({0.2f, 0.4f, 0.6f, 0.5f});
  glass.Material().SetBlendingMode(bmTransparency);
  glass.TextureScale().SetVector(2, 2, 1);
  TGLStage scene(nullptr);
  auto* cube = scene.Objects().NewChildOfClass<TGLCube>();
  cube->SetName("Cube1");
  cube->Material().SetMaterialLibrary(&library);
  cube->Material().SetLibMaterialName("glass");

  const std::string bytes = Written({&scene, &library});
  std::vector<std::unique_ptr<TComponent>> read = Read(bytes);
  ASSERT_EQ(read.size(), 2u);
  auto* copy = dynamic_cast<TGLMaterialLibrary*>(read[1].get());
  ASSERT_NE(copy, nullptr);
  ASSERT_EQ(copy->Materials().Count(), 1);
  TGLLibMaterial& readGlass = copy->Materials().Items(0);
  EXPECT_FALSE(readGlass.TextureMatrixIsIdentity()) << "made again once loaded";
  auto* readCube = static_cast<TGLCube*>(Named(static_cast<TGLStage&>(*read[0]).Objects(), "Cube1"));
  ASSERT_NE(readCube, nullptr);
  EXPECT_EQ(readCube->Material().MaterialLibrary(), copy);
  EXPECT_EQ(readCube->Material().LibMaterial(), &readGlass);
  EXPECT_TRUE(readCube->Material().Blended());
  EXPECT_EQ(Written({read[0].get(), read[1].get()}), bytes);
}

TEST_F(SceneStream, StreamsThatCannotBeReadAreRefusedWhole) {
  TGLDummyCube group(nullptr);
  group.SetName("G");
  auto* cube = group.NewChildOfClass<TGLCube>();
  cube->SetParts(cpTop);
  cube->SetNormalDirection(ndInside);
  const std::string bytes = Written({&group});
  const auto replaced = [&bytes](const std::string& from, const std::string& to) {
    std::string changed = bytes;
    changed.replace(changed.find(from), from.size(), to);
    return changed;
  };
  struct Case {
    std::string what, bytes, message;
  };
  TStringStream stream;
  TBinaryWriter writer(stream);
  writer.WriteListStart();
  for (const char* name : {"TGLDummyCube", "D"}) writer.WriteString(name);
  writer.WriteListStop();
  for (const char* name : {"TGLMemoryViewer", "V"}) writer.WriteString(name);
  for (int i = 0; i < 4; ++i) writer.WriteListStop();
  for (const Case& c : {Case{"unknown class", replaced("TGLCube", "TGLCubx"), "Class TGLCubx not found"},
                        Case{"unknown property", replaced("NormalDirection", "NormalDirectiox"),
                             "Property NormalDirectiox does not exist"},
                        Case{"unknown value", replaced("cpTop", "cpTox"), "Invalid property value cpTox for Parts"},
                        Case{"no parent", stream.DataString(), "TGLMemoryViewer cannot be a child of TGLDummyCube"},
                        Case{"cut short", bytes.substr(0, bytes.size() - 3), ""}}) {
    try {
      Read(c.bytes);
      ADD_FAILURE() << c.what << " was read";
    } catch (const ELibraryError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << c.what << ": " << error.what();
    }
  }
}
