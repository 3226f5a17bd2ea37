// The viewer widget on a real X11 window: it renders the scene into its GLX
// child window, repaints on change, recreates its context when the buffer's
// pixel format changes, stays still while its buffer is frozen, and reports
// a failing frame once without letting the exception out of its paint.
#include "scene3d/viewer/stage_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <cstdlib>

#include "gfx3d/core/library_errors.h"
#include "scene3d/viewer/x11_child_window.h"
#include "scene_catalogue.h"
#include "scene_fixture.h"
#include "support/qt_events.h"

namespace {

class StageViewer : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (!QtRunsOnX11()) SKIP_OR_FAIL_WITHOUT_GL("Qt does not run on X11");
    viewer = std::make_unique<TGLStageViewer>();
    viewer->resize(712, 480);
    // Clear of the corner where other GL tests of the run put their windows.
    viewer->move(400, 400);
    viewer->Buffer().SetLighting(false);
    viewer->Buffer().SetBackgroundColor(0);
    viewer->OnRenderError = [this](const std::string& message) { errors.push_back(message); };
    viewer->SetCamera(program.camera);
    viewer->Buffer().AfterRender = [this](TGLStageBuffer*) { ++frames; };
    viewer->show();
    ASSERT_TRUE(WaitForFrames(1)) << (errors.empty() ? "no frame" : errors.front());
  }

  void TearDown() override { viewer.reset(); }

  // Lets Qt deliver paints until at least n more frames were drawn.
  bool WaitForFrames(int n) {
    const int wanted = frames + n;
    return process_events_until([&] { return frames >= wanted; });
  }

  void Settle() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
  }

  QRgb PixelAt(int x, int y) {
    const std::unique_ptr<TGLBitmap32> bitmap = viewer->Buffer().CaptureFrameBitmap();
    const QImage picture = bitmap->ToPlatformBitmap32();
    if (const char* folder = std::getenv("SCENE3D_SHOT_DIR")) picture.save(QString(folder) + "/viewer.png");
    return picture.pixel(x, y);
  }

  ProgramScene program;
  std::unique_ptr<TGLStageViewer> viewer;
  std::vector<std::string> errors;
  int frames = 0;
};

TEST_F(StageViewer, ShowsTheSceneAndRepaintsWhenItChanges) {
  auto* box = program.AddBox(0, 0, 0, {1, 0, 0, 1});
  ASSERT_TRUE(WaitForFrames(1));
  EXPECT_EQ(PixelAt(356, 240) & 0xFFFFFF, 0xFF0000u);
  box->Position().SetPoint(0, 0, 100);  // behind the camera's near plane: out of the picture
  ASSERT_TRUE(WaitForFrames(1));
  EXPECT_EQ(PixelAt(356, 240) & 0xFFFFFF, 0u);
  EXPECT_TRUE(errors.empty());
  EXPECT_NEAR(viewer->FieldOfView(), 61.93f, 0.01f);
}

TEST_F(StageViewer, ChangingTheContextOptionsRecreatesTheContext) {
  // A new context draws into a new child window; X never hands out a window id twice so soon.
  const TGLOutputDevice before = viewer->Buffer().RenderingContext()->RenderOutputDevice();
  viewer->Buffer().SetContextOptions(viewer->Buffer().ContextOptions() | roStencilBuffer);
  ASSERT_TRUE(WaitForFrames(1));
  ASSERT_NE(viewer->Buffer().RenderingContext(), nullptr);
  EXPECT_NE(viewer->Buffer().RenderingContext()->RenderOutputDevice(), before);
  program.AddBox(0, 0, 0, {0, 1, 0, 1});
  ASSERT_TRUE(WaitForFrames(1));
  EXPECT_EQ(PixelAt(356, 240) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(StageViewer, AFailingFrameIsReportedOnceAndTheWidgetGoesOn) {
  struct Failing : DrawLogger {
    using DrawLogger::DrawLogger;
    void BuildList(TRenderContextInfo&) override { throw ELibraryError("part file unreadable"); }
  };
  auto* failing = program.scene.Objects().NewChildOfClass<Failing>();
  for (int i = 0; i < 3; ++i) {
    viewer->update();
    Settle();
  }
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors.front(), "part file unreadable");
  delete failing;
  program.AddBox(0, 0, 0, {1, 0, 0, 1});
  ASSERT_TRUE(WaitForFrames(1));
  EXPECT_EQ(PixelAt(356, 240) & 0xFFFFFF, 0xFF0000u);
}

// Counts the paints Qt sends a widget.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(StageViewer, AFrozenViewerKeepsItsPictureWithoutRepaintingUntilMelted) {
  auto* box = program.AddBox(0, 0, 0, {1, 0, 0, 1});
  ASSERT_TRUE(WaitForFrames(1));
  viewer->Buffer().Freeze();
  Settle();
  PaintCounter counter(*viewer);
  box->Position().SetPoint(0, 0, 100);  // out of the picture
  Settle();
  EXPECT_EQ(counter.paints, 0);
  EXPECT_EQ(PixelAt(356, 240) & 0xFFFFFF, 0xFF0000u);
  viewer->Buffer().Melt();
  ASSERT_TRUE(WaitForFrames(1));
  EXPECT_EQ(PixelAt(356, 240) & 0xFFFFFF, 0u);
}

TEST_F(StageViewer, AHiddenViewerRemakesItsContextOnAStructuralChangeSoItsSnapshotShowsTheScene) {
  program.AddBox(0, 0, 0, {1, 0, 0, 1});
  TGLStageViewer hidden;
  hidden.resize(712, 480);
  hidden.Buffer().SetLighting(false);
  hidden.Buffer().SetBackgroundColor(0);
  hidden.SetCamera(program.camera);
  hidden.Loaded();  // as when read from a form: the window and its context exist, nothing is shown
  ASSERT_TRUE(hidden.Buffer().RCInstantiated());
  hidden.Buffer().SetContextOptions(hidden.Buffer().ContextOptions() | roStencilBuffer);
  EXPECT_TRUE(hidden.Buffer().RCInstantiated());
  // A snapshot's way: two frames, then the picture.
  hidden.Buffer().Render();
  hidden.Buffer().Render();
  const QImage picture = hidden.Buffer().CaptureFrameBitmap()->ToPlatformBitmap32();
  EXPECT_EQ(picture.pixel(356, 240) & 0xFFFFFF, 0xFF0000u);
  EXPECT_FALSE(hidden.isVisible());
}

TEST_F(StageViewer, AComponentStreamKeepsItsPropertiesAndItsContextIsMadeOnceItIsRead) {
  program.camera->SetName("Camera1");
  viewer->SetName("Viewer1");
  viewer->SetVSync(vsmSync);
  viewer->Buffer().SetBackgroundColor(0x00FF00);
  viewer->Buffer().FogEnvironment().SetFogStart(10);
  viewer->SetHint("The cell in 3-D");
  viewer->setEnabled(false);
  const std::vector<std::unique_ptr<TComponent>> read = Read(Written({&program.scene, viewer.get()}));
  ASSERT_EQ(read.size(), 2u);
  auto* copy = dynamic_cast<TGLStageViewer*>(read[1].get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Name(), "Viewer1");
  ASSERT_NE(copy->Camera(), nullptr) << "the camera reference is resolved after the read";
  EXPECT_EQ(copy->Camera()->Name(), "Camera1");
  EXPECT_NE(copy->Camera(), program.camera);
  EXPECT_EQ(copy->VSync(), vsmSync);
  EXPECT_EQ(copy->Buffer().BackgroundColor(), 0x00FF00);
  EXPECT_EQ(copy->Buffer().FogEnvironment().FogStart(), 10);
  EXPECT_EQ(copy->Hint(), "The cell in 3-D");
  EXPECT_FALSE(copy->isEnabled());
  EXPECT_TRUE(copy->Buffer().RCInstantiated()) << "the window and its context exist before the viewer is shown";
  EXPECT_FALSE(copy->isVisible());
}

// The library's start-up is all a program that links the viewer calls.
TEST(StageViewerStream, AProgramThatStartsTheLibraryReadsAStreamNamingTheViewer) {
  InitializeScene3D();
  TGLStageViewer viewer;
  viewer.SetName("Viewer1");
  viewer.SetVSync(vsmSync);
  const std::vector<std::unique_ptr<TComponent>> read = Read(Written({&viewer}));
  ASSERT_EQ(read.size(), 1u);
  auto* copy = dynamic_cast<TGLStageViewer*>(read[0].get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->VSync(), vsmSync);
}

TEST(StageViewerWithoutCamera, FieldOfViewIsZeroAndSettingItChangesNothing) {
  TGLStageViewer viewer;
  viewer.SetFieldOfView(60);
  EXPECT_FLOAT_EQ(viewer.FieldOfView(), 0);
}

}  // namespace
