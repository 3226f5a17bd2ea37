// The animated actor: frame stepping in every mode, progress over time,
// morph targets, a mesh skinned to one bone, animation controllers, the
// skeleton overlay and synchronising with another actor.
#include "scene3d/animation/actor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/animation/animation_controlers.h"
#include "scene3d/animation/skeleton.h"
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

TEST_F(Actor, CentringAndClearingThroughTheBaseTypeTakeTheTargetsAlong) {
  // The point and every target sit at y = 4; centring on Y brings them all to 0.
  mesh->Vertices().SetItem(0, {0, 4, 0});
  for (int i = 0; i < mesh->MorphTargets().Count(); ++i)
    mesh->MorphTargets().Item(i).Vertices().SetItem(0, {static_cast<float>(i), 4, 0});
  actor.AutoCentering = macCenterY;
  actor.PerformAutoCentering();
  EXPECT_EQ(mesh->Vertices().GetItem(0).y, 0);
  mesh->MorphTo(3);
  EXPECT_EQ(mesh->Vertices().GetItem(0).x, 3);
  EXPECT_EQ(mesh->Vertices().GetItem(0).y, 0) << "the next frame keeps the centring";
  mesh->Lerp(1, 2, 0.5f);
  EXPECT_EQ(mesh->Vertices().GetItem(0).y, 0);

  TMeshObject& base = *mesh;
  base.Clear();
  EXPECT_EQ(mesh->MorphTargets().Count(), 0);
  EXPECT_EQ(actor.FrameCount(), 0);
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

// An actor posing one root bone (red) with one child over three skeleton frames; frame i moves the root to x = i.
class SkeletonActor : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    actor.SetReference(aarSkeleton);
    root = new TSkeletonBone(&actor.Skeleton().RootBones());
    root->Color = 0xFF0000FF;
    child = new TSkeletonBone(root);
    child->BoneID = 1;
    for (int i = 0; i < 3; ++i) {
      auto frame = std::make_unique<TSkeletonFrame>();
      frame->Position.Add({static_cast<float>(i), 0, 0});
      frame->Position.Add({0, 1, 0});
      frame->Rotation.Add({0, 0, 0});
      frame->Rotation.Add({0, 0, 0});
      actor.Skeleton().Frames().AddFrame(std::move(frame));
    }
    actor.SetEndFrame(2);
    walk = actor.Animations().Add();
    walk->Name = "walk";
    walk->SetReference(aarSkeleton);
    walk->SetEndFrame(2);
  }
  float RootX() { return actor.Skeleton().CurrentFrame().Position.GetItem(0).x; }
  TGLActor actor{nullptr};
  TSkeletonBone* root = nullptr;
  TSkeletonBone* child = nullptr;
  TActorAnimation* walk = nullptr;
  TRenderContextInfo rci;
};

TEST_F(SkeletonActor, ControllersLayerTheirAnimationsOverTheActors) {
  RecordingGL gl;
  TGLAnimationControler controler(nullptr);
  TBlendedLerpInfo info;
  EXPECT_FALSE(controler.Apply(info));  // no actor
  controler.SetActor(&actor);
  ASSERT_EQ(actor.Controlers().size(), 1u);
  EXPECT_FALSE(controler.Apply(info));  // no animation of that name
  controler.SetAnimationName("walk");
  struct Case {
    float ratio;
    int frame1, frame2;
    float factor;
  };
  for (const Case& c : {Case{0, 0, 0, 0}, Case{1, 2, 2, 0}, Case{0.75f, 1, 2, 0.5f}, Case{7, 2, 2, 0}}) {
    controler.SetRatio(c.ratio);
    ASSERT_TRUE(controler.Apply(info));
    EXPECT_EQ(info.frameIndex1, c.frame1) << c.ratio;
    EXPECT_EQ(info.frameIndex2, c.frame2) << c.ratio;
    EXPECT_FLOAT_EQ(info.lerpFactor, c.factor) << c.ratio;
    EXPECT_EQ(info.weight, 1);
  }
  walk->SetStartFrame(2);  // one frame: nothing after it to interpolate towards
  controler.SetRatio(0.5f);
  ASSERT_TRUE(controler.Apply(info));
  EXPECT_EQ(info.frameIndex2, 2);
  walk->SetStartFrame(0);

  // The actor at frame 1 plus the controller's frame 1.5: the root at 1 + 1.5.
  controler.SetRatio(0.75f);
  actor.FrameInterpolation = afpNone;
  actor.SetCurrentFrame(1);
  actor.BuildList(rci);
  EXPECT_FLOAT_EQ(RootX(), 2.5f);
  EXPECT_FLOAT_EQ(root->GlobalMatrix[3].x, 2.5f);
  controler.SetEnabled(false);
  actor.BuildList(rci);
  EXPECT_FLOAT_EQ(RootX(), 1);
  controler.SetEnabled(true);
  actor.AnimationMode = aamExternal;  // external driving ignores the controllers
  actor.BuildList(rci);
  EXPECT_FLOAT_EQ(RootX(), 1);

  {
    TGLActor other(nullptr);
    controler.SetActor(&other);
    EXPECT_TRUE(actor.Controlers().empty());
  }
  EXPECT_EQ(controler.Actor(), nullptr);  // told when its actor went
  auto second = std::make_unique<TGLAnimationControler>(nullptr);
  second->SetActor(&actor);
  second.reset();
  EXPECT_TRUE(actor.Controlers().empty());
}

TEST_F(SkeletonActor, OverlayDrawsEachBoneAndTheLineFromItsParent) {
  RecordingGL gl;
  actor.OverlaySkeleton = true;
  actor.FrameInterpolation = afpNone;
  actor.SetCurrentFrame(2);
  actor.BuildList(rci);
  std::vector<std::string> overlay;
  std::vector<RecordedCall> calls;
  bool inside = false;
  for (const RecordedCall& call : gl.calls) {
    if (call.name == "glPushAttrib") inside = true;
    if (inside) calls.push_back(call);
  }
  for (const RecordedCall& call : calls) overlay.push_back(call.name);
  EXPECT_EQ(overlay,
            (std::vector<std::string>{"glPushAttrib", "glDisable",   "glDisable",   "glDisable",   "glColor3f",
                                      "glColor4f",    "glPointSize", "glBegin",     "glVertex3fv", "glEnd",
                                      "glColor4f",    "glPointSize", "glBegin",     "glVertex3fv", "glEnd",
                                      "glBegin",      "glVertex3fv", "glVertex3fv", "glEnd",       "glPopAttrib"}));
  EXPECT_EQ(calls[1].args, std::vector<double>{GL_DEPTH_TEST});
  EXPECT_EQ(calls[5].args, (std::vector<double>{1, 0, 0, 1}));  // the root's red
  EXPECT_EQ(calls[6].args, std::vector<double>{5});
  EXPECT_EQ(calls[8].args, (std::vector<double>{2, 0, 0}));
  EXPECT_EQ(calls[10].args, (std::vector<double>{1, 1, 1, 1}));  // the child's colour -1 is white
  EXPECT_EQ(calls[16].args, (std::vector<double>{2, 0, 0}));     // from the parent...
  EXPECT_EQ(calls[17].args, (std::vector<double>{2, 1, 0}));     // ...to the child
}

TEST_F(SkeletonActor, SynchronizeTakesTheReferencesFramesAndPose) {
  TGLActor reference(nullptr);
  reference.SetReference(aarSkeleton);
  reference.Skeleton().Assign(&actor.Skeleton());
  auto* pending = reference.Animations().Add();
  pending->Name = "walk";
  reference.SetEndFrame(2);
  reference.AnimationMode = aamLoop;
  reference.SetCurrentFrame(2);
  reference.SwitchToAnimation(*pending, true);
  reference.CurrentFrameDelta = 0.25f;
  reference.Skeleton().Lerp(1, 2, 0.5f);
  actor.Synchronize(reference);
  EXPECT_EQ(actor.CurrentFrame(), 2);
  EXPECT_EQ(actor.AnimationMode, aamLoop);
  EXPECT_FLOAT_EQ(actor.CurrentFrameDelta, 0.25f);
  EXPECT_EQ(actor.NextFrameIndex(), 0);  // the pending "walk", found by name among its own
  EXPECT_FLOAT_EQ(RootX(), 1.5f);
  EXPECT_FLOAT_EQ(root->GlobalMatrix[3].x, 1.5f);

  // A pending animation that is deleted is forgotten, and loading clears the animations.
  actor.SetCurrentFrame(1);
  actor.AnimationMode = aamNone;
  delete walk;
  EXPECT_EQ(actor.NextFrameIndex(), 2);
  actor.Animations().Add()->Name = "run";
  TStringStream empty;
  EXPECT_THROW(actor.LoadMeshFromStream("none.glsm", empty), ELibraryError);
  EXPECT_EQ(actor.Animations().Count(), 0);
}
