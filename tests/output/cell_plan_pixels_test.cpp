// Printed cell plans drawn to the pixel: a room that holds every kind of
// figure the page draws (walls with a door, runs of bays with end frames,
// wall dimensions, free modules with their frames, captions and clearance
// dimensions, a trolley, a compact group, the grey wall band and the
// captions under the plan), in millimetres and in inches, alone on a page
// and two rooms on a finer grid.
#include <string>

#include "model/base/units.h"
#include "print_fixture.h"
#include "support/exact_goldens.h"
#include "support/plan_rooms.h"

namespace {

class CellPlanPixels : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    reset_plan_globals();
    page.options.quote_part = false;
    Cells.front().name = "Store";
    sample_room();
  }
  void expect_golden(std::size_t page_index, const std::string& name) {
    ASSERT_GT(page.preview_pages.size(), page_index);
    expect_pixel_equal_golden(page.preview_pages[page_index], exact_golden_path("output", name));
  }
};

}  // namespace

TEST_F(CellPlanPixels, SampleRoomAloneInMillimetres) {
  AppState.decimals = 2;
  render();
  expect_golden(0, "page_sample_mm");
}

TEST_F(CellPlanPixels, SampleRoomAloneInInchesWithoutLoads) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  AppState.print_max_loads = false;
  render();
  expect_golden(0, "page_sample_inches");
}

TEST_F(CellPlanPixels, TwoRoomsOnAFinerGridWithoutTheBand) {
  Cells.emplace_back();
  AppState.current_cell = 1;
  l_shaped_room();
  Cells.back().name = "Annex";
  page.options.rows = 2;
  page.options.columns = 3;
  render();
  expect_golden(0, "page_two_rooms_grid");
}
