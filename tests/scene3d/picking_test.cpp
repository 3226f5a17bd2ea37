// Picking and the frozen image: GL hit records turned into the pick list
// without GL, then pick passes and frozen frames of the program's scene off
// screen on Mesa.
#include <gtest/gtest.h>

#include <QImage>

#include "scene3d/graph/proxy_objects.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

// Where the program's camera shows the points (10, 0, 0) and (-10, 0, 0).
constexpr int kRightX = 463, kLeftX = 249, kMiddleY = 240;
constexpr GLuint kDepthUnit = 0xFFFFFFFFu;

// ---- Hit records -----------------------------------------------------------

class PickRecords : public testing::Test {
 protected:
  TGLStage scene{nullptr};
  TGLBaseStageObject* a = scene.Objects().NewChildOfClass<TestBox>();
  TGLBaseStageObject* b = scene.Objects().NewChildOfClass<TestBox>();
  TGLBaseStageObject* c = scene.Objects().NewChildOfClass<TestBox>();
  TGLPickNames names;
};

TEST_F(PickRecords, OneEntryPerObjectNearestFirstWithTheDepthRangeOfAllItsHits) {
  const GLuint name_a = names.NameOf(a), name_b = names.NameOf(b), name_c = names.NameOf(c);
  const std::vector<GLuint> selection = {
      1, kDepthUnit / 2, kDepthUnit / 2 + 10, name_a,  // a, farther
      1, kDepthUnit / 4, kDepthUnit / 4,      name_b,  // b, nearer
      1, kDepthUnit / 8, kDepthUnit / 2 + 20, name_a,  // a again, now nearest of all
      1, kDepthUnit / 4, kDepthUnit / 4,      name_c,  // c, as near as b: after it
  };
  const TGLPickList picked = PickListFromSelection(selection, 4, names);
  ASSERT_EQ(picked.size(), 3u);
  EXPECT_EQ(picked[0].object, a);
  EXPECT_EQ(picked[1].object, b);
  EXPECT_EQ(picked[2].object, c);
  EXPECT_FLOAT_EQ(picked[0].zMin, 0.125f);
  EXPECT_NEAR(picked[0].zMax, 0.5f, 1e-6f);
  EXPECT_FLOAT_EQ(picked[1].zMin, 0.25f);
}

TEST_F(PickRecords, AProxysHitNamesTheProxyWithItsInnerObjectsAndStrayNamesAreSkipped) {
  const GLuint proxy = names.NameOf(a), inner = names.NameOf(b), innermost = names.NameOf(c);
  const std::vector<GLuint> selection = {
      2, 100, 200, proxy, inner,             // the proxy's master's child
      3, 50,  60,  proxy, inner, innermost,  // deeper and nearer: its path wins
      1, 10,  10,  0,                        // drawn with no object's name
      1, 20,  20,  99,                       // a name this pass never gave
  };
  const TGLPickList picked = PickListFromSelection(selection, 4, names);
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0].object, a);
  EXPECT_EQ(picked[0].subObjects, (std::vector<TGLBaseStageObject*>{b, c}));
}

TEST_F(PickRecords, ARecordCutShortByTheBufferEndsTheList) {
  const std::vector<GLuint> selection = {1, 0, 0, names.NameOf(a), 4, 0, 0, names.NameOf(b)};
  const TGLPickList picked = PickListFromSelection(selection, 2, names);
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0].object, a);
}

using PickProjection = SceneTest;

TEST_F(PickProjection, TheRectangleIsCentredWithRowsFromTheBottomAndAtLeastAPixelEachWay) {
  RecordingGL recording;
  TGLStageBuffer buffer(nullptr);
  buffer.Resize(712, 480);
  const auto pick_matrix_arguments = [&](const TGLRect& rect) {
    recording.Clear();
    buffer.SetupProjectionAndView(&rect);
    for (const RecordedCall& call : recording.calls)
      if (call.name == "gluPickMatrix") return call.args;
    return std::vector<double>{};
  };
  EXPECT_EQ(pick_matrix_arguments({100, 50, 111, 70}), (std::vector<double>{105, 420, 11, 20}));
  EXPECT_EQ(pick_matrix_arguments({111, 70, 100, 50}), (std::vector<double>{105, 420, 11, 20}));
  EXPECT_EQ(pick_matrix_arguments({7, 9, 7, 9}), (std::vector<double>{7, 471, 1, 1}));
}

// ---- Pick passes and frozen frames on Mesa ----------------------------------

class PickedScene : public OffscreenSceneTest {
 protected:
  TGLPickList PickAll() { return buffer().GetPickedObjects({0, 0, kViewWidth, kViewHeight}); }
  TGLStageBuffer& buffer() { return viewer.Buffer(); }
};

TEST_F(PickedScene, APickAtEachCubeFindsThatCubeAndEmptySpaceFindsNothing) {
  TestBox* right = program.AddBox(10, 0, 0, {0, 1, 0, 1});
  TestBox* left = program.AddBox(-10, 0, 0, {1, 0, 0, 1});
  EXPECT_EQ(buffer().GetPickedObject(kRightX, kMiddleY), right);
  EXPECT_EQ(buffer().GetPickedObject(kLeftX, kMiddleY), left);
  EXPECT_EQ(buffer().GetPickedObject(356, 100), nullptr);
  // A rectangle without width still looks at its own pixels only.
  EXPECT_TRUE(buffer().GetPickedObjects({356, 100, 356, 100}).empty());
  EXPECT_EQ(buffer().GetPickedObjects({kRightX, kMiddleY, kRightX, kMiddleY}).size(), 1u);
}

TEST_F(PickedScene, ARectangleOverBothCubesListsTheNearerFirstWhateverTheDrawingOrder) {
  TestBox* far = program.AddBox(10, 0, 0, {0, 1, 0, 1});
  TestBox* near = program.AddBox(-10, 0, 30, {1, 0, 0, 1});
  TGLPickList picked = PickAll();
  ASSERT_EQ(picked.size(), 2u);
  EXPECT_EQ(picked[0].object, near);
  EXPECT_EQ(picked[1].object, far);
  EXPECT_LT(picked[0].zMin, picked[1].zMin);
  EXPECT_LE(picked[0].zMin, picked[0].zMax);
  EXPECT_TRUE(picked[0].subObjects.empty());

  // Nothing of the pass stays: GL renders again, and frames look as before.
  GLint mode = 0;
  buffer().RenderingContext()->Activate();
  GL().glGetIntegerv(GL_RENDER_MODE, &mode);
  buffer().RenderingContext()->Deactivate();
  EXPECT_EQ(mode, GL_RENDER);
  const QImage frame = Capture();
  EXPECT_EQ(frame.pixel(kRightX, kMiddleY) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(PickedScene, AHiddenObjectIsNotPickedNorIsAnythingInside) {
  TestBox* shown = program.AddBox(10, 0, 0, {0, 1, 0, 1});
  TestBox* hidden = program.AddBox(-10, 0, 0, {1, 0, 0, 1});
  hidden->NewChildOfClass<TestBox>();
  hidden->SetVisible(false);
  EXPECT_EQ(buffer().GetPickedObject(kLeftX, kMiddleY), nullptr);
  const TGLPickList picked = PickAll();
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0].object, shown);
}

TEST_F(PickedScene, AProxyIsPickedWhereItStandsWithTheMastersPartThatWasHit) {
  // The master group itself stays out of the scene's drawing; only its proxy shows it.
  auto* group = program.scene.Objects().NewChildOfClass<TGLDummyCube>();
  auto* part = group->NewChildOfClass<TestBox>();
  group->SetVisible(false);
  auto* proxy = program.scene.Objects().NewChildOfClass<TGLProxyObject>();
  proxy->SetMasterObject(group);
  proxy->Position().SetPoint(10, 0, 0);
  const TGLPickList picked = buffer().GetPickedObjects({kRightX - 2, kMiddleY - 2, kRightX + 2, kMiddleY + 2});
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0].object, proxy);
  EXPECT_EQ(picked[0].subObjects, std::vector<TGLBaseStageObject*>{part});
}

TEST_F(PickedScene, ATooSmallGuessGrowsTheSelectionBufferUntilEveryHitFits) {
  for (int i = 0; i < 12; ++i) program.AddBox(static_cast<float>(i * 3 - 18), 0, 0, {1, 1, 1, 1});
  EXPECT_EQ(buffer().GetPickedObjects({0, 0, kViewWidth, kViewHeight}, 1).size(), 12u);
}

TEST_F(PickedScene, AFrozenBufferShowsItsPictureUntilMelted) {
  TestBox* box = program.AddBox(0, 0, 0, {1, 0, 0, 1});
  const QImage live = Capture();
  buffer().Freeze();
  ASSERT_TRUE(buffer().Frozen());
  box->Color = {0, 1, 0, 1};
  box->StructureChanged();
  viewer.Render();
  EXPECT_EQ(Capture(), live);

  buffer().Melt();
  EXPECT_FALSE(buffer().Frozen());
  EXPECT_EQ(Capture().pixel(356, 240) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(PickedScene, ANewContextDropsTheFrozenPicture) {
  buffer().Freeze();
  ASSERT_TRUE(buffer().Frozen());
  viewer.SetWidth(kViewWidth / 2);
  EXPECT_FALSE(buffer().Frozen());
}

}  // namespace
