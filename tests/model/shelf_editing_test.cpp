#include "model/layout/shelf_editing.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"
#include "model/layout/shelf_patterns.h"
#include "support/plan_builders.h"

namespace {

class ShelfEditing : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    make_rectangle(5000, 4000);
    for (int w = 0; w < 4; ++w) set_run(wall(w), 2, w);
    recompute_layout();
  }
};

TEST_F(ShelfEditing, EachBarCentreMapsToItsSlotAndOutsideToNone) {
  ShelvesForm form;
  form.pattern = "10101";
  form.height = 2000;
  const int height = 250, top = height - kShelfFloorMargin - 200;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(shelf_slot_at(form, top + 15 * i + 10, height), i);
  EXPECT_EQ(shelf_slot_at(form, top - 10, height), -1);
  EXPECT_EQ(shelf_slot_at(form, top + 15 * 5 + 10, height), -1);
  toggle_shelf_slot(form, 1);
  toggle_shelf_slot(form, 0);
  toggle_shelf_slot(form, 7);
  EXPECT_EQ(form.pattern, "01101");
}

TEST_F(ShelfEditing, OkWritesThePatternIntoEverySelectedModule) {
  cell().free_modules = {make_free(0, 0, 500, 1000, 'H')};
  cell().free_modules[0].selected = true;
  wall(1).modules[0].selected = true;
  ShelvesForm form = shelves_form_for_selection(cell(), 3, 2000);
  EXPECT_EQ(form.wall, -1);  // two modules: no single module, no neighbours
  EXPECT_TRUE(form.left_pattern.empty());
  form.pattern = "1010";
  const std::size_t steps = UndoHistory.size();
  apply_shelves_form(form);
  for (const auto* m : {&cell().free_modules[0].shelf_pattern, &wall(1).modules[0].shelf_pattern})
    EXPECT_EQ(*m, "1010");
  EXPECT_EQ(wall(1).modules[0].shelf_count, 2);
  EXPECT_EQ(cell().free_modules[0].custom_shelves, 1);
  EXPECT_EQ(wall(1).modules[1].custom_shelves, 0);
  EXPECT_EQ(UndoHistory.size(), steps + 1);
}

TEST_F(ShelfEditing, DifferentPatternsStartFromTheStandardOne) {
  wall(0).modules[0].selected = wall(0).modules[1].selected = true;
  wall(0).modules[1].shelf_pattern = "1";
  EXPECT_EQ(shelves_form_for_selection(cell(), 3, 2000).pattern, shelf_pattern(3, 2000));
}

TEST_F(ShelfEditing, ALoneBayShowsItsNeighboursAlongTheOutline) {
  wall(3).modules.back().shelf_pattern = "111";
  wall(0).modules[1].shelf_pattern = "1";
  wall(0).modules[0].selected = true;
  const ShelvesForm form = shelves_form_for_selection(cell(), 5, 2000);
  EXPECT_EQ(form.wall, 0);
  EXPECT_EQ(form.module, 0);
  // Anticlockwise: the next bay on the wall is on the left, the previous wall's last bay on the right.
  EXPECT_EQ(form.left_pattern, "1");
  EXPECT_EQ(form.right_pattern, "111");
}

}  // namespace
