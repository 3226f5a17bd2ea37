#include "gfx3d/math/bounding_boxes.h"

#include <cmath>

#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d_fixture.h"

namespace {

using BoundingBoxes = Gfx3DTest;

TEST_F(BoundingBoxes, SetBBCentresOnTheOrigin) {
  TAABB box;
  SetBB(box, {-2, 3, -4, 9});
  EXPECT_TRUE(AffineVectorEquals(box.min, {-2, -3, -4}));
  EXPECT_TRUE(AffineVectorEquals(box.max, {2, 3, 4}));
}

TEST_F(BoundingBoxes, TransformEnclosesTheTurnedCorners) {
  TAABB box{{-1, -1, -1}, {1, 1, 1}};
  BBTransform(box, RotationMatrixZ(std::sin(0.785398163f), std::cos(0.785398163f)));
  EXPECT_NEAR(box.max.x, std::sqrt(2.0f), 1e-6);
  EXPECT_NEAR(box.min.y, -std::sqrt(2.0f), 1e-6);
  EXPECT_FLOAT_EQ(box.max.z, 1);
  EXPECT_FLOAT_EQ(box.min.z, -1);
  TAABB moved{{0, 0, 0}, {1, 2, 3}};
  BBTransform(moved, MatrixFromScaleAndOffset({1, 1, 1}, {10, 0, 0}));
  EXPECT_TRUE(AffineVectorEquals(moved.min, {10, 0, 0}));
  EXPECT_TRUE(AffineVectorEquals(moved.max, {11, 2, 3}));
}

TEST_F(BoundingBoxes, NegativeScaleIsNotCorrected) {
  TAABB box{{-1, 0, 1}, {2, 3, 4}};
  ScaleBB(box, {-1, 2, 1});
  EXPECT_EQ(box.min.x, 1);
  EXPECT_EQ(box.max.x, -2);
  EXPECT_EQ(box.max.y, 6);
}

TEST_F(BoundingBoxes, MergingAndIncluding) {
  TAABB box{{0, 0, 0}, {1, 1, 1}};
  const TAABB copy = box;
  AddBB(box, copy);
  EXPECT_TRUE(AffineVectorEquals(box.min, copy.min) && AffineVectorEquals(box.max, copy.max));
  AddBB(box, {{-1, 0.5f, 0}, {0.5f, 2, 1}});
  EXPECT_TRUE(AffineVectorEquals(box.min, {-1, 0, 0}));
  EXPECT_TRUE(AffineVectorEquals(box.max, {1, 2, 1}));
  TAABB inverted{{5, 5, 5}, {-5, -5, -5}};
  IncludeInBB(inverted, {0, 0, 0});  // both tests made: the point becomes min and max
  EXPECT_TRUE(AffineVectorEquals(inverted.min, {0, 0, 0}));
  EXPECT_TRUE(AffineVectorEquals(inverted.max, {0, 0, 0}));
}

}  // namespace
