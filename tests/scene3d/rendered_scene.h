// The program's scene rendered off screen at the 3-D view's size, unlit on
// black, and captured for reading pixels back. SCENE3D_SHOT_DIR, when set,
// keeps each capture as a picture named after its test.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "scene_fixture.h"

// The 3-D view's size in pixels.
constexpr int kViewWidth = 712;
constexpr int kViewHeight = 480;

// The bounds and count of a picture's pixels that are not black.
struct LitRegion {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  double Fill() const { return static_cast<double>(count) / (static_cast<double>(Width()) * Height()); }
};

inline bool IsLit(const QImage& picture, int x, int y) { return (picture.pixel(x, y) & 0xFFFFFF) != 0; }

inline LitRegion LitRegionOf(const QImage& picture) {
  LitRegion r;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (IsLit(picture, x, y)) {
        r.left = std::min(r.left, x), r.right = std::max(r.right, x);
        r.top = std::min(r.top, y), r.bottom = std::max(r.bottom, y);
        ++r.count;
      }
  return r;
}

class RenderedProgramScene : public SceneTest {
 protected:
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
