// A scene object's copy: its children come over as objects of their own
// classes, whether or not a stream could name those classes, and the scene
// ends its update bracket whatever a child's copy does.
#include <gtest/gtest.h>

#include <typeinfo>

#include "gfx3d/core/library_errors.h"
#include "scene3d/graph/batched_group.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/objects/quadric_object.h"
#include "scene_catalogue.h"
#include "scene_fixture.h"

namespace {

using StageObjectCopies = SceneTest;

// Both trees hold objects of the same classes in the same places.
void ExpectSameClasses(TGLBaseStageObject& copy, TGLBaseStageObject& source) {
  ASSERT_EQ(copy.Count(), source.Count()) << source.Name();
  for (int i = 0; i < source.Count(); ++i) {
    TGLBaseStageObject& copied = *copy.Children(i);
    TGLBaseStageObject& original = *source.Children(i);
    EXPECT_EQ(typeid(copied), typeid(original)) << original.ClassName();
    ExpectSameClasses(copied, original);
  }
}

// A child whose own copy fails, as one reading a part file that went away would.
class RefusingCopy : public TGLStageObject {
 public:
  using TGLStageObject::TGLStageObject;
  std::string ClassName() const override { return "RefusingCopy"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<RefusingCopy>(owner);
  }
  void Assign(const TPersistent*) override { throw ELibraryError("the part file went away"); }
};

TEST_F(StageObjectCopies, ChildrenOfClassesNoStreamNamesKeepTheirClass) {
  TGLStage scene(nullptr);
  auto* source = scene.Objects().NewChildOfClass<TGLDummyCube>();
  source->NewChildOfClass<TGLStageObject>()->Position().SetPoint(1, 2, 3);
  source->NewChildOfClass<TGLBaseMesh>();
  source->NewChildOfClass<TGLQuadricObject>();
  source->NewChildOfClass<TGLBatchedGroup>()->NewChildOfClass<TGLCustomStageObject>()->SetVisible(false);
  auto* copy = scene.Objects().NewChildOfClass<TGLDummyCube>();
  copy->Assign(source);
  ExpectSameClasses(*copy, *source);
  EXPECT_EQ(copy->Children(0)->Position().Z(), 3);
  EXPECT_FALSE(copy->Children(3)->Children(0)->Visible());
  EXPECT_FALSE(scene.IsUpdating());
}

TEST_F(StageObjectCopies, EveryStreamedClassIsCopiedAsItself) {
  Everything original;
  TGLStage scene(nullptr);
  auto* copy = scene.Objects().NewChildOfClass<TGLDummyCube>();
  copy->Assign(&original.scene.Objects());
  ExpectSameClasses(*copy, original.scene.Objects());
}

TEST_F(StageObjectCopies, AChildWhoseCopyFailsLeavesTheSceneNotifyingItsBuffers) {
  TGLStage scene(nullptr);
  ChangeCounter counter(scene);
  auto* source = scene.Objects().NewChildOfClass<TGLDummyCube>();
  source->NewChildOfClass<RefusingCopy>();
  auto* copy = scene.Objects().NewChildOfClass<TGLDummyCube>();
  try {
    copy->Assign(source);
    ADD_FAILURE() << "the child's failure is the copy's";
  } catch (const ELibraryError& error) {
    EXPECT_STREQ(error.what(), "the part file went away");
  }
  EXPECT_FALSE(scene.IsUpdating());
  counter.changes = 0;
  copy->SetVisible(false);
  EXPECT_EQ(counter.changes, 1);
}

}  // namespace
