// What the scene tests share: the library's start-up, a solid box drawn in
// one flat colour, an object that records when it is drawn, a buffer that
// counts a scene's changes, and the scene of the program's 3-D view (a
// target dummy cube holding the camera, a light) rendered off screen at the
// view's size.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gfx3d/gl/gl_binding.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/graph/stage.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"
#include "scene3d/render/offscreen_viewers.h"
#include "support/gl_required.h"

class SceneTest : public testing::Test {
 protected:
  void SetUp() override { InitializeScene3D(); }
};

// A cube of the given edge centred on its origin, twelve triangles in one unlit colour.
class TestBox : public TGLStageObject {
 public:
  explicit TestBox(TComponent* owner) : TGLStageObject(owner) {}
  std::string ClassName() const override { return "TestBox"; }
  float Size = 2;
  TVector4f Color{1, 0, 0, 1};
  void BuildList(TRenderContextInfo&) override {
    auto& gl = GL();
    const float h = Size / 2;
    gl.glColor4fv(&Color.x);
    gl.glBegin(GL_TRIANGLES);
    const float corners[8][3] = {{-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
                                 {-h, -h, h},  {h, -h, h},  {h, h, h},  {-h, h, h}};
    const int faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {3, 7, 6, 2}, {0, 4, 7, 3}, {1, 2, 6, 5}};
    for (const auto& face : faces)
      for (int corner : {0, 1, 2, 0, 2, 3})
        gl.glVertex3f(corners[face[corner]][0], corners[face[corner]][1], corners[face[corner]][2]);
    gl.glEnd();
  }
};

// Records its name each time it is drawn.
class DrawLogger : public TGLImmaterialStageObject {
 public:
  DrawLogger(TComponent* owner, std::vector<std::string>* log = nullptr, std::string name = {})
      : TGLImmaterialStageObject(owner), Log(log), Name(std::move(name)) {
    SetObjectStyle(ObjectStyle() | osDirectDraw);
  }
  std::vector<std::string>* Log;
  std::string Name;
  bool Blend = false;
  bool Blended() const override { return Blend; }
  void BuildList(TRenderContextInfo&) override {
    if (Log) Log->push_back(Name);
  }
};

// A buffer of the scene that counts the changes the scene tells it of.
struct ChangeCounter {
  explicit ChangeCounter(TGLStage& watched) : scene(watched) {
    buffer.OnChange = [this](TGLStageBuffer*) { ++changes; };
    scene.AddBuffer(&buffer);
  }
  ~ChangeCounter() { scene.RemoveBuffer(&buffer); }
  ChangeCounter(const ChangeCounter&) = delete;
  ChangeCounter& operator=(const ChangeCounter&) = delete;
  TGLStage& scene;
  TGLStageBuffer buffer{nullptr};
  int changes = 0;
};

// The program's 3-D view: camera (0, 200, 200) under its target at the origin, focal length 400.
struct ProgramScene {
  TGLStage scene{nullptr};
  TGLDummyCube* target = nullptr;
  TGLCamera* camera = nullptr;
  TGLLightSource* light = nullptr;

  ProgramScene() {
    target = scene.Objects().NewChildOfClass<TGLDummyCube>();
    camera = target->NewChildOfClass<TGLCamera>();
    camera->SetDepthOfView(100000);
    camera->SetFocalLength(400);
    camera->SetTargetObject(target);
    camera->Position().SetPoint(0, 200, 200);
    light = scene.Objects().NewChildOfClass<TGLLightSource>();
    light->Position().SetPoint(10, 10, 10);
  }
  TestBox* AddBox(float x, float y, float z, const TVector4f& color) {
    auto* box = scene.Objects().NewChildOfClass<TestBox>();
    box->Position().SetPoint(x, y, z);
    box->Color = color;
    return box;
  }
};

// The program's scene in an off-screen viewer of the 3-D view's size, unlit on
// black; without GL the test is skipped (failed in CI).
class OffscreenSceneTest : public SceneTest {
 protected:
  static constexpr int kViewWidth = 712, kViewHeight = 480;

  void SetUp() override {
    SceneTest::SetUp();
    viewer.SetWidth(kViewWidth);
    viewer.SetHeight(kViewHeight);
    viewer.Buffer().SetLighting(false);
    viewer.Buffer().SetBackgroundColor(0);
    viewer.SetCamera(program.camera);
    try {
      viewer.Render();
    } catch (const std::exception& error) {
      SKIP_OR_FAIL_WITHOUT_GL(error.what());
    }
  }

  // A new frame, rows top-down; saved as the test's name in SCENE3D_SHOT_DIR when set.
  QImage Capture() {
    const std::unique_ptr<TGLBitmap32> bitmap = viewer.Buffer().CaptureFrameBitmap();
    QImage picture = bitmap->ToPlatformBitmap32().copy(0, 0, kViewWidth, kViewHeight);
    if (const char* folder = std::getenv("SCENE3D_SHOT_DIR"))
      picture.save(QString(folder) + "/" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
    return picture;
  }

  ProgramScene program;
  TGLMemoryViewer viewer{nullptr};
};
