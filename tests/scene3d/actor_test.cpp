// The animated actor: frame stepping in every mode, progress over time,
// morph targets and a mesh skinned to one bone.
#include "scene3d/actor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gfx3d/vector_operations.h"
#include "scene3d/skeleton.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

// An actor whose one mesh object morphs through frames targets; target i moves the point to x = i.
class Actor : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    mesh = new TMorphableMeshObject(&actor.MeshObjects());
    mesh->Vertices().Add({0, 0, 0});
    for (int i = 0; i < 5; ++i) {
      auto* target = new TMeshMorphTarget(&mesh->MorphTargets());
      target->Vertices().Add({static_cast<float>(i), 0, 0});
    }
  }
  TGLActor actor{nullptr};
  TMorphableMeshObject* mesh = nullptr;
};

TEST_F(Actor, NextFrameIndexInEveryMode) {
  ASSERT_EQ(actor.FrameCount(), 5);
  actor.SetStartFrame(1);
  actor.SetEndFrame(3);
  struct Case {
    TActorAnimationMode mode;
    int current, next;
  };
  for (const Case& c : {Case{aamNone, 2, 3}, Case{aamNone, 3, 3}, Case{aamPlayOnce, 3, 3}, Case{aamLoop, 3, 1},
                        Case{aamBounceForward, 2, 3}, Case{aamBounceBackward, 1, 3}, Case{aamLoopBackward, 2, 1},
                        Case{aamLoopBackward, 1, 3}, Case{aamExternal, 2, 2}}) {
    actor.AnimationMode = aamExternal;
    actor.SetCurrentFrame(c.current);
    actor.AnimationMode = c.mode;
    EXPECT_EQ(actor.NextFrameIndex(), c.next) << int(c.mode) << " from " << c.current;
  }
  actor.AnimationMode = aamPlayOnce;
  actor.SetCurrentFrame(3);
  EXPECT_EQ(actor.AnimationMode, aamNone);
  actor.SetCurrentFrame(99);
  EXPECT_EQ(actor.CurrentFrame(), 4);
}

TEST_F(Actor, ProgressStepsWholeFramesAndKeepsTheFraction) {
  actor.SetEndFrame(4);
  actor.AnimationMode = aamLoop;
  int ends = 0;
  actor.OnEndFrameReached = [&](TObject*) { ++ends; };
  actor.DoProgress(0.25, 0.25);
  EXPECT_EQ(actor.CurrentFrame(), 2);
  EXPECT_FLOAT_EQ(actor.CurrentFrameDelta, 0.5f);
  actor.DoProgress(0.15, 0.4);
  EXPECT_EQ(actor.CurrentFrame(), 4);
  EXPECT_EQ(ends, 1);
  auto* animation = actor.Animations().Add();
  animation->Name = "walk";
  animation->SetEndFrame(9);
  EXPECT_EQ(animation->EndFrame(), 4);
  EXPECT_EQ(animation->GetDisplayName(), "0 - walk [0 - 4]");
}

TEST_F(Actor, MorphTargetsAtTheEndsAndBetween) {
  RecordingGL gl;
  TRenderContextInfo rci;
  actor.SetEndFrame(4);
  actor.SetCurrentFrame(1);
  actor.BuildList(rci);
  EXPECT_EQ(mesh->Vertices().GetItem(0).x, 1);  // delta 0: the frame itself
  actor.CurrentFrameDelta = 0.25f;
  actor.BuildList(rci);
  EXPECT_FLOAT_EQ(mesh->Vertices().GetItem(0).x, 1.25f);
  mesh->MorphTo(4);
  EXPECT_EQ(mesh->Vertices().GetItem(0).x, 4);
  mesh->Lerp(0, 3, 1);
  EXPECT_EQ(mesh->Vertices().GetItem(0).x, 3);
  EXPECT_THROW(mesh->MorphTo(5), EAssertionFailed);
}

TEST(ActorSkeleton, OneBoneSkinningFollowsTheFrames) {
  TGLActor actor(nullptr);
  actor.SetReference(aarSkeleton);
  auto* bone = new TSkeletonBone(&actor.Skeleton().RootBones());
  bone->BoneID = 0;
  for (float x : {0.0f, 10.0f}) {
    auto frame = std::make_unique<TSkeletonFrame>();
    frame->Position.Add({x, 0, 0});
    frame->Rotation.Add({0, 0, x == 0 ? 0 : 1.5707964f});
    actor.Skeleton().Frames().AddFrame(std::move(frame));
  }
  auto* skin = new TSkeletonMeshObject(&actor.MeshObjects());
  skin->Vertices().Add({1, 0, 0});
  skin->Normals().Add({1, 0, 0});
  skin->ResizeWeights(1, 1);
  skin->Weight(0, 0) = {0, 1};
  actor.Skeleton().SetCurrentFrame(actor.Skeleton().Frame(0));
  skin->PrepareBoneMatrixInvertedMeshes(actor.Skeleton());
  RecordingGL gl;
  TRenderContextInfo rci;
  actor.FrameInterpolation = afpNone;
  actor.SetEndFrame(1);
  actor.SetCurrentFrame(1);
  actor.BuildList(rci);
  const TAffineVector moved = skin->Vertices().GetItem(0);
  EXPECT_NEAR(moved.x, 10, 1e-5);  // turned a quarter about Z, then moved 10 along X
  EXPECT_NEAR(std::fabs(moved.y), 1, 1e-5);
  EXPECT_NEAR(AffineVectorLength(skin->Normals().GetItem(0)), 1, 1e-5);
  skin->Weight(0, 0) = {7, 1};  // a bone the skeleton lacks
  EXPECT_THROW(actor.BuildList(rci), EReadError);
}

}  // namespace
