// Proxies, direct-drawing objects and render points, the behaviour and
// effect collections, the off-screen viewer's size rules and the buffer's
// edge cases, drawn through a recording GL table where GL is involved.
#include <gtest/gtest.h>

#include "gfx3d/core/library_errors.h"
#include "scene3d/graph/behaviours.h"
#include "scene3d/graph/proxy_objects.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

using Proxies = SceneTest;

TRenderContextInfo RecordingContext(TGLStateCache& cache) {
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  rci.objectsSorting = osNone;
  rci.visibilityCulling = vcNone;
  return rci;
}

TEST_F(Proxies, AProxyDrawsItsMasterAndAProxyOfItselfStopsAtTheSecondEntry) {
  RecordingGL recording;
  TGLStage scene(nullptr);
  std::vector<std::string> log;
  auto* master = scene.Objects().NewChildOfClass<DrawLogger>();
  master->Log = &log;
  master->Name = "master";
  auto* proxy = scene.Objects().NewChildOfClass<TGLProxyObject>();
  proxy->SetMasterObject(master);
  TGLStateCache cache;
  TRenderContextInfo rci = RecordingContext(cache);
  proxy->Render(rci);
  EXPECT_EQ(log, std::vector<std::string>{"master"});

  auto* loop = scene.Objects().NewChildOfClass<TGLProxyObject>();
  loop->SetMasterObject(loop);
  loop->Render(rci);  // returns instead of recursing forever
  delete master;
  EXPECT_EQ(proxy->MasterObject(), nullptr);
}

TEST_F(Proxies, ARayThroughAProxyHitsItsMasterWhereTheProxyStands) {
  TGLStage scene(nullptr);
  auto* master = scene.Objects().NewChildOfClass<TestBox>();
  auto* proxy = scene.Objects().NewChildOfClass<TGLProxyObject>();
  proxy->SetMasterObject(master);
  proxy->Position().SetPoint(10, 0, 0);
  TVector4f point;
  ASSERT_TRUE(proxy->RayCastIntersect({10, 0, -10, 1}, {0, 0, 1, 0}, &point, nullptr));
  EXPECT_NEAR(point.x, 10, 1e-4f);
  EXPECT_LT(point.z, 0);
  EXPECT_FALSE(proxy->RayCastIntersect({0, 50, -10, 1}, {0, 0, 1, 0}, &point, nullptr));
}

TEST_F(Proxies, DirectOpenGLCompilesItsCallbackOnlyWhenAskedAndARenderPointReleasesLastFirst) {
  RecordingGL recording;
  TGLStage scene(nullptr);
  auto* direct = scene.Objects().NewChildOfClass<TGLDirectOpenGL>();
  int calls = 0;
  direct->OnRender = [&](TObject*, TRenderContextInfo&) { ++calls; };
  TGLStateCache cache;
  TRenderContextInfo rci = RecordingContext(cache);
  direct->Render(rci);
  direct->Render(rci);
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(direct->ObjectStyle() & osDirectDraw);
  direct->SetUseBuildList(true);
  EXPECT_FALSE(direct->ObjectStyle() & osDirectDraw);

  TGLRenderPoint point(nullptr);
  std::vector<int> order;
  point.Add([&](TObject*, TRenderContextInfo&) { order.push_back(1); }, [&](TObject*) { order.push_back(-1); });
  point.Add([&](TObject*, TRenderContextInfo&) { order.push_back(2); }, [&](TObject*) { order.push_back(-2); });
  point.BuildList(rci);
  point.Clear();
  EXPECT_EQ(order, (std::vector<int>{1, 2, -2, -1}));
  EXPECT_EQ(point.CallbackCount(), 0);
}

TEST_F(Proxies, BehavioursAndEffectsTakeOnlyTheirOwnKindAndRunInOrder) {
  RecordingGL recording;
  TGLStage scene(nullptr);
  auto* object = scene.Objects().NewChildOfClass<TestBox>();
  EXPECT_THROW(object->Behaviours().AddItem(TGLObjectPostEffect::ItemClassInfo()), EAssertionFailed);
  EXPECT_THROW(object->Effects().AddItem(TGLBehaviour::ItemClassInfo()), EAssertionFailed);
  object->Effects().AddItem(TGLObjectPreEffect::ItemClassInfo());
  object->Effects().AddItem(TGLObjectAfterEffect::ItemClassInfo());
  TGLStageBuffer buffer(nullptr);
  TGLStateCache cache;
  TRenderContextInfo rci = RecordingContext(cache);
  object->Effects().RenderPostEffects(buffer, rci);
  EXPECT_EQ(buffer.AfterRenderEffects().size(), 1u);
  EXPECT_THROW(TGLBehaviours(nullptr), EAssertionFailed);
  EXPECT_EQ(object->Behaviours().ItemsClass().className, "TGLBehaviour");
  EXPECT_EQ(object->Effects().ItemsClass().className, "TGLObjectEffect");
  object->SetName("Box1");
  EXPECT_EQ(object->Effects().GetNamePath(), "Box1.Effects");
  EXPECT_EQ(object->Effects().Items(1).GetNamePath(), "Box1.Effects[1]");
  EXPECT_EQ(object->Behaviours().GetNamePath(), "Box1.Behaviours");
}

using OffScreenViewers = SceneTest;

TEST_F(OffScreenViewers, SizesBelowOneBecomeOneAndDropTheContext) {
  TGLMemoryViewer viewer(nullptr);
  EXPECT_EQ(viewer.Width(), 256);
  viewer.SetWidth(0);
  viewer.SetHeight(-4);
  EXPECT_EQ(viewer.Width(), 1);
  EXPECT_EQ(viewer.Height(), 1);
  EXPECT_FALSE(viewer.Buffer().RCInstantiated());
}

TEST_F(OffScreenViewers, ABufferWithoutContextCapturesAZeroFilledPictureOfItsViewport) {
  TGLStageBuffer buffer(nullptr);
  buffer.Resize(0, 0);
  EXPECT_EQ(buffer.ViewportWidth(), 1);
  buffer.Resize(10, 3);
  const std::unique_ptr<TGLBitmap32> bitmap = buffer.CaptureFrameBitmap();
  EXPECT_EQ(bitmap->Width(), 12);
  EXPECT_EQ(bitmap->Height(), 3);
  for (int i = 0; i < bitmap->DataSize(); ++i) ASSERT_EQ(bitmap->Data()[i], 0);
  buffer.Render();  // nothing to render into: nothing happens
  EXPECT_EQ(buffer.FrameCount(), 0);
}

TEST_F(OffScreenViewers, TheFogAtItsDefaultsIsLeftOutOfTheFormAndTheProgramsFogIsNot) {
  TGLStageBuffer buffer(nullptr);
  EXPECT_TRUE(buffer.FogEnvironment().IsAtDefaultValues());
  buffer.FogEnvironment().SetFogEnd(1010);
  buffer.FogEnvironment().FogColor().SetColor({0.85f, 0.85f, 0.85f, 1});
  EXPECT_FALSE(buffer.FogEnvironment().IsAtDefaultValues());
  EXPECT_FALSE(buffer.FogEnable());
}

TEST_F(OffScreenViewers, ChangingThePixelFormatAsksForANewContextWhileOtherChangesAskForAPaint) {
  TGLStageBuffer buffer(nullptr);
  int changes = 0, structural = 0;
  buffer.OnChange = [&](TGLStageBuffer*) { ++changes; };
  buffer.OnStructuralChange = [&](TGLStageBuffer*) { ++structural; };
  buffer.SetBackgroundColor(0);
  buffer.SetBackgroundColor(0);
  buffer.SetContextOptions(buffer.ContextOptions() | roStencilBuffer);
  buffer.SetDepthPrecision(dp16bits);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(structural, 2);
}

}  // namespace
