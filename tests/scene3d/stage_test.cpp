// The scene itself: its two named roots, and the times it keeps its
// changes from its buffers.
#include <gtest/gtest.h>

#include "scene_fixture.h"

namespace {

using Stage = SceneTest;

TEST_F(Stage, NamesItsTwoRoots) {
  TGLStage scene(nullptr);
  EXPECT_EQ(scene.Objects().Name(), "ObjectRoot");
  EXPECT_EQ(scene.Cameras().Name(), "CameraRoot");
}

TEST_F(Stage, IsUpdatingWhileItIsReadAndTellsItsBuffersNothingMeanwhile) {
  TGLStage scene(nullptr);
  ChangeCounter counter(scene);
  scene.SetLoading(true);
  EXPECT_TRUE(scene.IsUpdating());
  scene.NotifyChange(&scene);
  EXPECT_EQ(counter.changes, 0);
  scene.SetLoading(false);
  EXPECT_FALSE(scene.IsUpdating());
  scene.NotifyChange(&scene);
  EXPECT_EQ(counter.changes, 1);
}

}  // namespace
