#include "output/print/cell_pages.h"

#include <array>

#include "model/base/units.h"
#include "output/print/plan_slot.h"
#include "print_fixture.h"
#include "support/room_outline.h"

namespace {

TEST(PlanSlots, GridScaleAndTransformArePureArithmetic) {
  SlotGrid grid = slot_grid(2100, 2970, 2, 3, false);
  // (2100 - 20) / 3 wide, (2970 - 460) / 2 high, the plan taking the whole slot.
  EXPECT_EQ((std::array{grid.slot_width, grid.slot_height, grid.plan_height}), (std::array{693, 1255, 1255}));
  EXPECT_EQ(slot_grid(2100, 2970, 2, 3, true).plan_height, 627) << "the upper half, truncated";
  EXPECT_EQ(slot_origin(grid, 10, 1, 2), QPoint(1386, 450 + 1255));

  Tcells cells(2);
  EXPECT_DOUBLE_EQ(common_plan_scale(cells, 1620, 3000), 0.95) << "no walls: the margins alone, 2 x (60 + 750) mm";
  cells[0].walls = walls_through({{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}});
  cells[1].walls = walls_through({{-500, -9000}, {100, -9000}, {100, -8000}});
  cells[1].wall_thickness = 100;
  // Together the walls span 6500 x 13000; the thickest wall and 750 mm widen every side.
  EXPECT_DOUBLE_EQ(common_plan_scale(cells, 8200, 100000), 0.95 * 8200 / (6500 + 1700));
  EXPECT_DOUBLE_EQ(common_plan_scale(cells, 100000, 14700), 0.95 * 14700 / (13000 + 1700));

  PlanSlot slot{100, 200, 600, 400, 0.1, 40};
  EXPECT_EQ(plan_to_page(slot, 0, 0), QPoint(400, 380)) << "the origin at the middle above the text band";
  EXPECT_EQ(plan_to_page(slot, 1000, 1000), QPoint(500, 280)) << "plan y grows upwards";
  EXPECT_EQ(plan_to_page(slot, -15, 0), QPoint(398, 380)) << "-1.5 rounds half to even";
}

class CellPages : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    page.options.quote_part = false;
    page.options.extended_description = false;
  }
  void add_cells(int count) {
    for (int i = 0; i < count; ++i) {
      Cells.emplace_back();
      Cells.back().name = "Cell " + std::to_string(i + 1);
      Cells.back().walls = walls_through({{-2000, -1000}, {2000, -1000}, {2000, 1000}, {-2000, 1000}});
    }
  }
  // The page and the horizontal middle of a cell's name under its plan.
  std::pair<int, int> name_place(int cell) {
    RecordedText name = text("Cell " + std::to_string(cell));
    return {name.page, name.left + name.width / 2};
  }
};

TEST_F(CellPages, SlotsFillRowByRowAndNoEmptyPageFollows) {
  add_cells(7);
  page.options.rows = 2;
  page.options.columns = 3;
  ASSERT_EQ(render(), 2);
  int w = 693;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(name_place(i + 1).first, 0);
    EXPECT_NEAR(name_place(i + 1).second, w * (i % 3) + w / 2, 1);
  }
  EXPECT_LT(text("Cell 1").top, text("Cell 4").top);
  EXPECT_EQ(text("Cell 1").top, text("Cell 3").top);
  EXPECT_EQ(name_place(7).first, 1) << "the seventh cell starts a page at the first slot";
  EXPECT_NEAR(name_place(7).second, w / 2, 1);
  EXPECT_EQ(text("Cell 7").top, text("Cell 1").top);
}

TEST_F(CellPages, OneScalePerRenderingThatChangesWithTheGrid) {
  add_cells(2);
  Cells[1].walls = walls_through({{-4000, -1000}, {4000, -1000}, {4000, 1000}, {-4000, 1000}});
  render();
  double one_by_one = page.plan_scale;
  SlotGrid grid = slot_grid(2100, 2970, 1, 1, false);
  EXPECT_DOUBLE_EQ(one_by_one, common_plan_scale(Cells, grid.slot_width, grid.plan_height - 2 * 55));
  page.options.rows = 3;
  page.options.columns = 3;
  render();
  EXPECT_LT(page.plan_scale, one_by_one / 2);
}

TEST_F(CellPages, CellsWithoutWallsStillGetTheirSlot) {
  Cells.resize(2);
  Cells[0].name = "Empty A";
  Cells[1].name = "Empty B";
  page.options.columns = 2;
  ASSERT_EQ(render(), 1);
  EXPECT_TRUE(canvas().has("Empty A"));
  EXPECT_TRUE(canvas().has("Empty B"));
}

TEST_F(CellPages, PicturesStandInTheLowerHalfOfTheirSlot) {
  add_cells(2);
  auto red = std::make_shared<Tpicture>();
  red->width = 40;
  red->height = 20;
  red->rgb.assign(40 * 20 * 3, 0);
  for (std::size_t i = 0; i < red->rgb.size(); i += 3) red->rgb[i] = 255;
  Cells[0].picture = red;
  page.options.pictures = true;
  page.options.rows = 2;
  render();
  SlotGrid grid = slot_grid(2100, 2970, 2, 1, true);
  QRect target = picture_rect(grid, 10, 0, 0, 40, 20);
  // 90 % of the tighter fit, centred in the lower half of the first slot.
  EXPECT_NEAR(target.width(), 0.9 * 627 / 20 * 40, 1);
  EXPECT_NEAR(target.center().y(), 450 + 1255 * 0.75, 2);
  const QImage& first = page.preview_pages[0];
  EXPECT_EQ(first.pixel(target.center()), qRgb(255, 0, 0));
  EXPECT_EQ(first.pixel(target.left() + 1, target.top() + 1), qRgb(255, 0, 0));
  QPoint second_slot_picture = target.center() + QPoint(0, 1255);
  EXPECT_NE(first.pixel(second_slot_picture), qRgb(255, 0, 0)) << "a cell without a picture gets none";
}

}  // namespace
