// Skeletons: archives of every class written and read back, broken archives
// refused with the skeleton untouched, skinned meshes binding as they are
// read, colliders following their bones, and blended frames.
#include "scene3d/animation/skeleton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/streams.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene_fixture.h"

namespace {

std::unique_ptr<TSkeletonFrame> MakeFrame(const std::string& name, std::vector<TAffineVector> positions,
                                          std::vector<TAffineVector> rotations) {
  auto frame = std::make_unique<TSkeletonFrame>();
  frame->Name = name;
  for (const TAffineVector& p : positions) frame->Position.Add(p);
  for (const TAffineVector& r : rotations) frame->Rotation.Add(r);
  return frame;
}

// Root bone 0 ("hip", red) with child 1 ("knee"), a second root 2; two frames; a collider on the knee.
void BuildLeg(TSkeleton& skeleton) {
  auto* hip = new TSkeletonBone(&skeleton.RootBones());
  hip->Name = "hip";
  hip->Color = 0xFF0000FF;
  auto* knee = new TSkeletonBone(hip);
  knee->Name = "knee";
  knee->BoneID = 1;
  auto* other = new TSkeletonBone(&skeleton.RootBones());
  other->Name = "other";
  other->BoneID = 2;
  skeleton.Frames().AddFrame(MakeFrame("rest", {{0, 0, 0}, {0, 10, 0}, {5, 0, 0}}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
  skeleton.Frames().AddFrame(
      MakeFrame("bent", {{2, 0, 0}, {0, 10, 0}, {5, 0, 0}}, {{0, 0, 0}, {0, 0, 1.5707964f}, {0, 0, 0}}));
  auto* collider = new TSkeletonCollider(&skeleton.Colliders());
  collider->BoneID = 1;
  collider->LocalMatrix[3] = {0, 1, 0, 1};
}

std::string Archive(const TPersistentObject& object) {
  TStringStream stream;
  object.SaveToStream(stream);
  return stream.DataString();
}

void ReadArchive(TPersistentObject& object, std::string bytes) {
  TStringStream stream(std::move(bytes));
  object.LoadFromStream(stream);
}

class SkeletonArchive : public SceneTest {};
class SkeletonPose : public SceneTest {};

TEST_F(SkeletonArchive, EveryClassRoundTrips) {
  TSkeleton skeleton;
  BuildLeg(skeleton);
  skeleton.Frames().Item(1).TransformMode = sftQuaternion;
  skeleton.Frames().Item(1).Quaternion.Add(TQuaternion{0, 0, 0.5f, 0.8660254f});
  TSkeleton copy;
  ReadArchive(copy, Archive(skeleton));
  ASSERT_EQ(copy.BoneCount(), 3);
  TSkeletonBone* knee = copy.BoneByID(1);
  ASSERT_NE(knee, nullptr);
  EXPECT_EQ(knee->Name, "knee");
  EXPECT_EQ(knee->Parent(), copy.BoneByID(0));
  EXPECT_EQ(copy.BoneByID(0)->Parent(), &copy.RootBones());
  EXPECT_EQ(copy.BoneByID(0)->Color, static_cast<std::int32_t>(0xFF0000FF));
  EXPECT_EQ(copy.BoneByID(2)->Color, -1);
  EXPECT_EQ(copy.RootBones().BoneByName("other"), copy.BoneByID(2));
  ASSERT_EQ(copy.FrameCount(), 2);
  const TSkeletonFrame& bent = copy.Frame(1);
  EXPECT_EQ(bent.Name, "bent");
  EXPECT_EQ(bent.TransformMode, sftQuaternion);
  EXPECT_FLOAT_EQ(bent.Quaternion.GetItem(0).z, 0.5f);
  EXPECT_FLOAT_EQ(bent.Position.GetItem(0).x, 2);
  ASSERT_EQ(copy.Colliders().Count(), 1);
  EXPECT_EQ(copy.Colliders().Item(0).BoneID, 1);
  EXPECT_EQ(copy.Colliders().Item(0).Owner(), &copy.Colliders());
  EXPECT_FLOAT_EQ(copy.Colliders().Item(0).LocalMatrix[3].y, 1);
  EXPECT_EQ(Archive(copy), Archive(skeleton));
  // A second bone of an ID: the first depth first wins, the knee's child before the later root.
  auto* toe = new TSkeletonBone(knee);
  toe->BoneID = 2;
  EXPECT_EQ(copy.BoneByID(2), toe);
  EXPECT_EQ(copy.BoneCount(), 4);
  delete toe;
  EXPECT_EQ(copy.BoneByID(2)->Name, "other");
  EXPECT_EQ(knee->Count(), 0);
}

// The frame layout before quaternions: no quaternion list and no mode.
class VersionZeroFrame : public TSkeletonFrame {
 public:
  void WriteToFiler(TVirtualWriter& writer) const override {
    writer.WriteInteger(0);
    writer.WriteString(Name);
    Position.WriteToFiler(writer);
    Rotation.WriteToFiler(writer);
  }
};

TEST_F(SkeletonArchive, OldFramesReadAndUnknownVersionsFail) {
  VersionZeroFrame old;
  old.Name = "old";
  old.Position.Add({1, 2, 3});
  TSkeletonFrame frame;
  frame.TransformMode = sftQuaternion;
  ReadArchive(frame, Archive(old));
  EXPECT_EQ(frame.Name, "old");
  EXPECT_EQ(frame.Position.GetItem(0).z, 3);
  EXPECT_EQ(frame.Quaternion.Count(), 0);

  std::string bytes = Archive(TSkeleton());
  ASSERT_EQ(bytes.substr(0, 2), std::string("\x02\x00", 2));  // the skeleton's own level, int8 0
  bytes[1] = 1;
  try {
    TSkeleton skeleton;
    ReadArchive(skeleton, bytes);
    FAIL();
  } catch (const EFilerException& error) {
    EXPECT_EQ(std::string(error.what()), "TSkeleton : unknown archive version 1");
  }
}

TEST_F(SkeletonArchive, BrokenArchivesLeaveTheSkeletonAsItWas) {
  TSkeleton source;
  BuildLeg(source);
  const std::string good = Archive(source);
  TSkeleton target;
  BuildLeg(target);
  target.BoneByID(0)->Name = "kept";
  const std::string before = Archive(target);
  // Every truncation and a flipped byte at every place: an error or a skeleton read whole, never a crash.
  for (std::size_t length = 0; length < good.size(); ++length) {
    EXPECT_THROW(ReadArchive(target, good.substr(0, length)), ELibraryError) << length;
    ASSERT_EQ(Archive(target), before) << length;
  }
  for (std::size_t at = 0; at < good.size(); ++at) {
    std::string bytes = good;
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
    try {
      TSkeleton scratch;
      ReadArchive(scratch, bytes);
    } catch (const ELibraryError&) {
    }
  }
  // A frame where the bones belong.
  TSkeletonBoneList wrong;
  TSkeletonFrameList frames;
  frames.AddFrame(MakeFrame("f", {}, {}));
  std::string swapped = Archive(frames);
  EXPECT_THROW(ReadArchive(wrong, swapped), EReadError);
  EXPECT_EQ(wrong.Count(), 0);
}

TEST_F(SkeletonArchive, WeightTablesAreCheckedAgainstTheStreamAndTheBones) {
  TSkeletonMeshObject skin;
  skin.Vertices().Add({1, 0, 0});
  skin.ResizeWeights(1, 2);
  skin.Weight(0, 0) = {1, 0.25f};
  skin.Weight(0, 1) = {2, 0.75f};
  skin.ResizeWeights(1, 3);  // keeps the overlapping part
  TSkeletonMeshObject copy;
  ReadArchive(copy, Archive(skin));
  ASSERT_EQ(copy.VerticeBoneWeightCount(), 1);
  ASSERT_EQ(copy.BonesPerVertex(), 3);
  EXPECT_EQ(copy.Weight(0, 1).BoneID, 2);
  EXPECT_FLOAT_EQ(copy.Weight(0, 1).Weight, 0.75f);
  EXPECT_EQ(copy.Weight(0, 2).Weight, 0);

  // A forged row count far beyond the bytes that follow.
  std::string bytes = Archive(skin);
  const std::string rows("\x02\x01\x02\x03", 4);  // int8 1 rows, then int8 3 pairs
  const std::size_t at = bytes.rfind(rows);
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 2, std::string("\x04\xFF\xFF\xFF\x0F", 5));
  EXPECT_THROW(ReadArchive(copy, bytes), EReadError);

  // Read into a mesh whose skeleton lacks a weighted bone: refused; with the bones it binds.
  TGLFreeForm form(nullptr);
  auto* written = new TSkeletonMeshObject(&form.MeshObjects());
  written->Vertices().Add({1, 0, 0});
  written->ResizeWeights(1, 1);
  written->Weight(0, 0) = {1, 1};
  TStringStream glsm;
  form.SaveMeshToStream("a.glsm", glsm);
  TGLFreeForm target(nullptr);
  new TSkeletonBone(&target.Skeleton().RootBones());
  glsm.SetPosition(0);
  EXPECT_THROW(target.AddMeshDataFromStream("a.glsm", glsm), EReadError);
  target.Skeleton().Clear();
  BuildLeg(target.Skeleton());
  glsm.SetPosition(0);
  target.AddMeshDataFromStream("a.glsm", glsm);
  auto& bound = dynamic_cast<TSkeletonMeshObject&>(target.MeshObjects().Item(0));
  target.Skeleton().SetCurrentFrame(target.Skeleton().Frame(1));
  target.Skeleton().MorphMesh(false);
  // Bound at rest 10 below the knee, the vertex turns with the knee a quarter about Z, to 10 along +X
  // and 1 up from the knee, now at (2, 10, 0).
  EXPECT_NEAR(bound.Vertices().GetItem(0).x, 12, 1e-4);
  EXPECT_NEAR(bound.Vertices().GetItem(0).y, 11, 1e-4);
}

TEST_F(SkeletonPose, CollidersFollowTheirBonesAndAssignCopiesTheSkeleton) {
  TGLFreeForm form(nullptr);
  BuildLeg(form.Skeleton());
  auto* orphan = new TSkeletonCollider(&form.Skeleton().Colliders());
  orphan->BoneID = 9;
  orphan->LocalMatrix[3] = {7, 0, 0, 1};
  form.Skeleton().SetCurrentFrame(form.Skeleton().Frame(1));
  form.Skeleton().MorphMesh(true);
  // The knee sits at (2, 10, 0) turned a quarter about Z: the collider's +Y offset points along -X.
  const TMatrix4f& knee = form.Skeleton().Colliders().Item(0).GlobalMatrix();
  EXPECT_NEAR(knee[3].x, 1, 1e-5);
  EXPECT_NEAR(knee[3].y, 10, 1e-5);
  EXPECT_FLOAT_EQ(form.Skeleton().Colliders().Item(1).GlobalMatrix()[3].x, 7);

  TGLFreeForm copy(nullptr);
  new TSkeletonBone(&copy.Skeleton().RootBones());  // cleared by the assignment
  form.OverlaySkeleton = true;
  copy.Assign(&form);
  EXPECT_TRUE(copy.OverlaySkeleton);
  EXPECT_EQ(copy.Skeleton().BoneCount(), 3);
  EXPECT_EQ(copy.Skeleton().Owner(), &copy);
  // Global matrices recomputed from the first frame.
  EXPECT_FLOAT_EQ(copy.Skeleton().BoneByID(1)->GlobalMatrix[3].y, 10);
}

TEST_F(SkeletonPose, BlendedFramesAddWeightedLayers) {
  TSkeleton skeleton;
  BuildLeg(skeleton);
  skeleton.BlendedLerps({{0, 1, 0.5f, 1}});  // one entry is a plain interpolation
  EXPECT_FLOAT_EQ(skeleton.CurrentFrame().Position.GetItem(0).x, 1);
  skeleton.BlendedLerps({{0, 1, 0.5f, 2}, {1, 1, 0, 0.5f}});
  // 2 * 1 from the base, plus half of frame 1's 2.
  EXPECT_FLOAT_EQ(skeleton.CurrentFrame().Position.GetItem(0).x, 3);
  EXPECT_FLOAT_EQ(skeleton.CurrentFrame().Position.GetItem(1).y, 25);
  EXPECT_NEAR(skeleton.CurrentFrame().Rotation.GetItem(1).z, 2 * 0.7853982f + 0.5f * 1.5707964f, 1e-4);

  TAffineVectorList lift;
  lift.Add({0, 0, 4});
  lift.Add({0, 0, 0});
  lift.Add({0, 0, 0});
  TBlendedLerpInfo layer{0, 0, 0, 1};
  layer.externalPositionList = &lift;
  skeleton.BlendedLerps({{0, 0, 0, 1}, layer});
  EXPECT_FLOAT_EQ(skeleton.CurrentFrame().Position.GetItem(0).z, 4);
  EXPECT_FLOAT_EQ(skeleton.CurrentFrame().Position.GetItem(1).y, 10);
  EXPECT_THROW(skeleton.BlendedLerps({{0, 0, 0, 1}, {0, 5, 0, 1}}), EAssertionFailed);

  // Quaternion frames: the layer's turn follows the base's; a weight of a half is half the turn.
  for (int i = 0; i < 2; ++i) {
    TSkeletonFrame& frame = skeleton.Frame(i);
    frame.TransformMode = sftQuaternion;
    for (int bone = 0; bone < 3; ++bone)
      frame.Quaternion.Add(i == 0 ? IdentityQuaternion : TQuaternion{0, 0, 0.70710677f, 0.70710677f});
  }
  skeleton.BlendedLerps({{1, 1, 0, 0.5f}, {1, 1, 0, 1}});
  const TQuaternion turned = skeleton.CurrentFrame().Quaternion.GetItem(0);
  EXPECT_NEAR(turned.z, std::sin(0.75f * 3.14159265f / 2), 1e-5);  // 45 + 90 degrees about Z
  EXPECT_NEAR(turned.w, std::cos(0.75f * 3.14159265f / 2), 1e-5);
}

}  // namespace
