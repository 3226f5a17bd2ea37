// One object of every streamed scene class written, read back into fresh
// components and drawn again on Mesa: the copy draws the same pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <set>

#include "scene3d/graph/scene_initialization.h"
#include "scene_catalogue.h"
#include "support/gl_required.h"

namespace {

QImage Drawn(TGLMemoryViewer& viewer, const char* shotName) {
  viewer.Render();
  QImage picture =
      viewer.Buffer().CaptureFrameBitmap()->ToPlatformBitmap32().copy(0, 0, viewer.Width(), viewer.Height());
  if (const char* folder = std::getenv("SCENE3D_SHOT_DIR")) picture.save(QString(folder) + "/" + shotName + ".png");
  return picture;
}

}  // namespace

TEST(SceneStreamPixels, TheReadSceneDrawsTheSamePixels) {
  InitializeScene3D();
  Everything original;
  std::vector<std::unique_ptr<TComponent>> read = Read(Written(original.Components()));
  auto* viewer = dynamic_cast<TGLMemoryViewer*>(read.at(1).get());
  ASSERT_NE(viewer, nullptr);
  QImage before, after;
  try {
    before = Drawn(original.viewer, "scene_stream_written");
    after = Drawn(*viewer, "scene_stream_read");
  } catch (const std::exception& error) {
    SKIP_OR_FAIL_WITHOUT_GL(error.what());
  }
  EXPECT_EQ(after.size(), before.size());
  EXPECT_TRUE(before == after) << "the read scene draws other pixels";
  std::set<QRgb> colours;
  for (int y = 0; y < before.height(); y += 4)
    for (int x = 0; x < before.width(); x += 4) colours.insert(before.pixel(x, y));
  EXPECT_GT(colours.size(), 20u) << "the scene draws next to nothing";
}
