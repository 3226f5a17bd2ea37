// What the pointer and the rubber band catch. The hover test of a wall is
// checked against the plain column-by-column walk it stands for.
#include "editor/plan/plan_hit_tests.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/base/rounding.h"

namespace {

// The walk over every pixel column of the wall, as the rule states it.
bool hovered_by_walking(QPoint p1, QPoint p2, QPoint pointer) {
  const double m = p1.x() == p2.x() ? 0.0 : static_cast<double>(p2.y() - p1.y()) / (p2.x() - p1.x());
  for (int c = std::min(p1.x(), p2.x()); c <= std::max(p1.x(), p2.x()); ++c) {
    const int y = p1.y() + static_cast<int>(Round((c - p1.x()) * m));
    const int dx = pointer.x() - c, dy = pointer.y() - y;
    if (dx * dx + dy * dy < 64) return true;
  }
  return p1.x() == p2.x() && std::abs(pointer.x() - p1.x()) < 8 && pointer.y() > std::min(p1.y(), p2.y()) &&
         pointer.y() < std::max(p1.y(), p2.y());
}

}  // namespace

TEST(PlanHitTests, WallHoverMatchesTheColumnWalk) {
  const QPoint walls[][2] = {{{10, 40}, {90, 40}}, {{90, 40}, {10, 40}}, {{50, 5}, {50, 95}}, {{50, 95}, {50, 5}},
                             {{40, 40}, {40, 40}}, {{10, 10}, {90, 70}}, {{80, 10}, {20, 90}}};
  for (const auto& wall : walls) {
    int hits = 0;
    for (int y = -5; y < 105; ++y) {
      for (int x = -5; x < 105; ++x) {
        const bool expected = hovered_by_walking(wall[0], wall[1], {x, y});
        ASSERT_EQ(wall_hovered(wall[0], wall[1], {x, y}), expected) << x << "," << y;
        hits += expected;
      }
    }
    EXPECT_GT(hits, 0);
  }
  // A wall millions of pixels long costs no more than a short one, and still hits.
  EXPECT_TRUE(wall_hovered({-16000000, 300}, {16000000, 300}, {5, 307}));
  EXPECT_FALSE(wall_hovered({-16000000, 300}, {16000000, 300}, {5, 308}));
}

TEST(PlanHitTests, ModuleHoverReachesSixteenPixels) {
  EXPECT_TRUE(module_hovered({100, 100}, {116, 100}));
  EXPECT_TRUE(module_hovered({100, 100}, {109, 113}));  // 81 + 169 = 250 <= 256
  EXPECT_FALSE(module_hovered({100, 100}, {117, 100}));
  EXPECT_FALSE(module_hovered({100, 100}, {112, 112}));  // 288 > 256
}

TEST(PlanHitTests, WindowCatchesWhatIsInsideCrossingWhatItTouches) {
  const RubberBand window{{10, 10}, {100, 60}};
  const RubberBand crossing{{100, 60}, {10, 10}};
  ASSERT_TRUE(window.window());
  ASSERT_FALSE(crossing.window());
  EXPECT_FALSE(RubberBand({{50, 10}, {50, 60}}).window());  // not sideways: crossing

  // A level wall from 90 to 150 at row 60: touching the band's corner.
  EXPECT_FALSE(wall_caught({90, 60}, {150, 60}, 'H', window));
  EXPECT_TRUE(wall_caught({90, 60}, {150, 60}, 'H', crossing));
  EXPECT_TRUE(wall_caught({100, 60}, {10, 10}, 'V', window));  // borders included
  EXPECT_FALSE(wall_caught({101, 0}, {101, 80}, 'V', crossing));
  EXPECT_TRUE(wall_caught({100, 0}, {100, 80}, 'V', crossing));

  const std::array<QPoint, 4> module{QPoint{20, 20}, QPoint{40, 20}, QPoint{40, 30}, QPoint{20, 30}};
  EXPECT_TRUE(module_caught(module, window));
  EXPECT_TRUE(module_caught(module, crossing));  // a side lies inside the band
  const std::array<QPoint, 4> around{QPoint{0, 0}, QPoint{200, 0}, QPoint{200, 200}, QPoint{0, 200}};
  EXPECT_FALSE(module_caught(around, crossing));  // a band wholly inside a module catches nothing
  EXPECT_FALSE(module_caught(around, window));
  const std::array<QPoint, 4> across{QPoint{50, 0}, QPoint{60, 0}, QPoint{60, 200}, QPoint{50, 200}};
  EXPECT_TRUE(module_caught(across, crossing));
  EXPECT_FALSE(module_caught(across, window));
}
