#include <cstdlib>
#include <tuple>
#include <utility>

#include "model/base/file_io.h"
#include "model/base/units.h"
#include "model/base/wall_faces.h"
#include "model/files/project_file.h"
#include "output/print/cell_plan_drawing.h"
#include "output/print/plan_painter.h"
#include "print_fixture.h"
#include "support/plan_builders.h"
#include "support/room_outline.h"

namespace {

const QRgb kGrey = qRgb(0xC0, 0xC0, 0xC0);
const QRgb kWhite = qRgb(255, 255, 255);

// Walls through the corners with their outward normals (the corners run anticlockwise).
std::vector<Tlinea> room(const std::vector<Tvec2>& corners) {
  std::vector<Tlinea> walls = walls_through(corners);
  for (Tlinea& wall : walls) {
    double dx = wall.x2 - wall.x1, dy = wall.y2 - wall.y1;
    double length = std::hypot(dx, dy);
    wall.normal_x = dy / length;
    wall.normal_y = -dx / length;
    wall.length = length;
  }
  return walls;
}

class CellPlanDrawing : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    page.options.quote_part = false;
    Cells.emplace_back();
    cell().name = "Store";
    cell().outline_closed = true;
  }
  Tcell& cell() { return Cells.front(); }
  // A 5 x 4 m room centred on the origin, as every layout leaves it, whose
  // bottom wall has a 1 m door in its middle.
  void room_with_door() {
    cell().walls = room({{-2500, -2000}, {-500, -2000}, {500, -2000}, {2500, -2000}, {2500, 2000}, {-2500, 2000}});
    cell().walls[1].kind = 0;
  }
  // The page pixel of a plan point in the first slot of the last rendering.
  QPoint at(double x, double y) {
    SlotGrid grid = slot_grid(2100, 2970, page.options.rows, page.options.columns, page.options.pictures);
    return plan_to_page(PlanSlot{0, 450, grid.slot_width, grid.plan_height, page.plan_scale, page.plan_text_band}, x,
                        y);
  }
  QRgb pixel(double x, double y) { return page.preview_pages[0].pixel(at(x, y)); }
  int grey_pixels() {
    int count = 0;
    const QImage& image = page.preview_pages[0];
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == kGrey;
    return count;
  }
};

TEST_F(CellPlanDrawing, OuterFacesAndClearanceLinesCloseAtTheCorners) {
  cell().walls = room({{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}});
  for (double offset : {60.0, -20.0}) {
    std::vector<WallFace> outline = closed_wall_faces(cell(), offset);
    ASSERT_EQ(outline.size(), 4u);
    auto point = [](Tvec2 p) { return std::pair(p.x, p.y); };
    for (std::size_t i = 0; i < 4; ++i)
      EXPECT_EQ(point(outline[i].end), point(outline[(i + 1) % 4].start)) << offset << " corner " << i;
    EXPECT_EQ(point(outline[0].start), std::pair(-offset, -offset)) << "the corner moves by the offset both ways";
  }
}

TEST_F(CellPlanDrawing, WallBandTurnsGreyOnBothSidesOfADoorOnCoarseGrids) {
  room_with_door();
  page.options.rows = 2;
  page.options.columns = 2;
  render();
  // Grey left and right of the door and on the far wall; white in the opening and the room.
  for (auto [x, y, colour] :
       {std::tuple{-1500, -2030, kGrey}, {1500, -2030, kGrey}, {0, 2030, kGrey}, {0, -2030, kWhite}, {0, 0, kWhite}})
    EXPECT_EQ(pixel(x, y), colour) << x << "," << y;

  page.options.rows = 3;
  page.options.columns = 3;
  render();
  EXPECT_EQ(grey_pixels(), 0);
}

TEST_F(CellPlanDrawing, AnOpenOutlineGreysNothing) {
  cell().walls = room({{0, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  cell().walls.pop_back();
  cell().outline_closed = false;
  render();
  EXPECT_EQ(grey_pixels(), 0);
}

TEST_F(CellPlanDrawing, AReopenedRoomGetsItsWallBand) {
  room_with_door();
  const std::string path = program_dir_.file("user/prv00001.cel");
  write_scrambled_file(path, project_file_text(QuoteHeader, Cells, 0, true));
  Cells.clear();
  load_project(path);
  page.options.rows = 2;
  render();
  EXPECT_EQ(pixel(1500, -2030), kGrey);
  EXPECT_EQ(pixel(0, 2030), kGrey);
}

TEST_F(CellPlanDrawing, CaptionsUnderThePlan) {
  cell().walls = room({{0, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  page.options.extended_description = false;
  render();
  EXPECT_EQ(text("Store").font_height, 20) << "two thirds of the 3 mm page font";
  EXPECT_FALSE(canvas().has("t301"));

  page.options.extended_description = true;
  render();
  RecordedText name = text("Store");
  RecordedText structure = text("t301");
  EXPECT_EQ(structure.top - name.top, 40) << "4 mm apart";
  EXPECT_EQ(structure.font_height, 20);
  EXPECT_FALSE(canvas().has("t253")) << "no compact groups";

  cell().compact_groups.emplace_back();
  page.options.columns = 2;
  render();
  EXPECT_EQ(text("t301").font_height, 10) << "half height on more than one column";
  EXPECT_EQ(text("t254").top - text("t301").top, 120);

  // A caption wider than its slot keeps 2 mm from the slot's sides: the first
  // slot begins at the sheet's edge, 1 mm before the frame, and neighbouring
  // captions keep 4 mm apart. One that fits stays centred.
  const int slot_width =
      slot_grid(2100, 2970, page.options.rows, page.options.columns, page.options.pictures).slot_width;
  const std::string long_name(240, 'W');
  LangTable[301] = std::string(200, 'M');
  for (const std::string& name : {long_name, std::string("Store")}) {
    cell().name = name;
    render();
    for (const RecordedText& caption : {text(name), text(LangTable[301])})
      EXPECT_TRUE(caption.left >= 20 && caption.right() <= slot_width - 20) << caption.left << ".." << caption.right();
  }
  EXPECT_LE(std::abs(2 * text("Store").left + text("Store").width - slot_width), 1) << "centred in its slot";
  EXPECT_EQ(text("Store").font_height, 20);
  for (auto [rows, columns] : {std::pair{1, 1}, {1, 3}, {2, 2}, {3, 3}}) {
    std::tie(page.options.rows, page.options.columns) = std::tie(rows, columns);
    Cells.assign(static_cast<std::size_t>(rows * columns), Tcell{});
    for (std::size_t i = 0; i < Cells.size(); ++i) Cells[i].name = std::to_string(i) + long_name;
    render();
    const int width = slot_grid(2100, 2970, rows, columns, false).slot_width;
    for (std::size_t i = 0; i < Cells.size(); ++i) {
      const int left = width * (static_cast<int>(i) % columns) + 20;
      EXPECT_EQ(std::pair(text(Cells[i].name).left, text(Cells[i].name).right()), std::pair(left, left + width - 40))
          << rows << "x" << columns << " slot " << i << ": smaller, then cut";
    }
  }
}

TEST_F(CellPlanDrawing, OnSmallScalesTheCaptionsMoveBelowTheWallDimensions) {
  cell().walls = room({{-2500, -2000}, {2500, -2000}, {2500, 2000}, {-2500, 2000}});
  cell().walls[0].show_dimensions = true;
  render();
  RecordedText name = text("Store");
  EXPECT_EQ(name.top, at(0, -2000 - 60 - 650).y() - 40) << "4 mm above the anchor where there is room";
  EXPECT_EQ(text("t301").top - name.top, 40);

  page.options.rows = 3;
  page.options.columns = 3;
  render();
  name = text("Store");
  EXPECT_GT(name.top, at(0, -2000 - 60 - 430).y()) << "below the extension lines of the outer row";
  EXPECT_EQ(text("t301").top - name.top, 40) << "the lines keep their spacing";
}

TEST_F(CellPlanDrawing, WallDimensionsAndCaptionsInEitherUnit) {
  cell().walls = room({{0, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  cell().walls[0].show_dimensions = true;
  cell().walls[0].start_free = 1000;
  cell().walls[0].end_free = 500;
  cell().walls[1].show_dimensions = true;
  cell().walls[2].modules.push_back(make_bay(2500, 3750, 500, 1000, 'H'));
  Tmodulo_agg module = make_free(2500, 2000, 500, 1000, 'V');
  module.clear_n = 1000;
  module.dim_n = true;
  cell().free_modules.push_back(module);
  AppState.decimals = 1;
  render();
  EXPECT_EQ(canvas().find("5000.0").size(), 1u) << "the total of the bottom wall";
  // Its start free, end free and the run between; the bay; the free module's clearance less its frame.
  for (const char* shown : {"1000.0", "500.0", "3500.0", "1000 x 500 x h2000", "968.0"})
    EXPECT_TRUE(canvas().has(shown)) << shown;
  EXPECT_TRUE(text("4000.0").turned && !text("3500.0").turned) << "a vertical wall's text is turned";

  AppState.inches = true;
  render();
  EXPECT_TRUE(canvas().has(format_feet_inches(5000 / MmPerInch)));
  EXPECT_TRUE(canvas().has(inch_text_length(1000) + " x " + inch_text(500) + " x h" + inch_text_height(2000)));
  EXPECT_TRUE(canvas().has("968.0")) << "clearances stay in millimetres";
}

TEST_F(CellPlanDrawing, BayCaptionsHaveTwoOrThreeLinesAndShrinkToTheBay) {
  cell().walls = room({{0, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  cell().walls[0].modules.push_back(make_bay(1000, 250, 500, 1000, 'H'));
  cell().walls[0].modules.push_back(make_bay(3000, 250, 500, 200, 'H'));
  AppState.print_max_loads = true;
  render();
  std::vector<RecordedText> shelves = canvas().find("5 t303");
  ASSERT_EQ(shelves.size(), 2u);
  RecordedText size = text("1000 x 500 x h2000");
  EXPECT_EQ(shelves[0].top - size.top, size.height) << "three stacked lines";
  EXPECT_EQ(size.font_height, std::max(static_cast<int>(std::lround(100 * page.plan_scale)), 1));
  RecordedText small = text("200 x 500 x h2000");
  EXPECT_LT(small.font_height, size.font_height);
  EXPECT_LE(small.width, static_cast<int>(std::lround(200 * page.plan_scale)) + 2) << "shrunk to the bay";

  AppState.print_max_loads = false;
  render();
  shelves = canvas().find("5 t303");
  size = text("1000 x 500 x h2000");
  EXPECT_NEAR(shelves[0].top - size.top, size.height, 1) << "two lines, one above and one below the centre";
  EXPECT_NEAR(size.top + size.height, at(1000, 250).y(), 1);
}

TEST_F(CellPlanDrawing, TrolleysGetFourWheels) {
  AppState.palette[2] = 128 + 128 * 256 + 128 * 65536;
  cell().free_modules.push_back(make_free(0, 0, 500, 1000, 'H', "CARRELLO"));
  cell().free_modules.push_back(make_free(0, 2000, 500, 1000, 'H'));
  render();
  std::vector<RecordedShape> wheels;
  for (const RecordedShape& shape : canvas().shapes)
    if (shape.kind == RecordedShape::Ellipse) wheels.push_back(shape);
  ASSERT_EQ(wheels.size(), 4u) << "the plain module has no wheels";
  for (const RecordedShape& wheel : wheels) EXPECT_EQ(wheel.pen, qRgb(128, 128, 128));
  QPoint first = at(-518, -236);
  EXPECT_NEAR((wheels[0].x1 + wheels[0].x2) / 2.0, first.x(), 1);
  EXPECT_NEAR((wheels[0].y1 + wheels[0].y2) / 2.0, first.y(), 1);
  EXPECT_NEAR(wheels[0].x2 - wheels[0].x1, 100 * page.plan_scale, 1) << "50 mm radius";
}

TEST_F(CellPlanDrawing, CompactGroupsTurnAQuarterClockwiseWhenVertical) {
  Tcorvane group;
  group.depth = 2000;
  group.overall_length = 3000;
  group.kit_length = 2645;
  group.wall_gaps = {100, 200, 300, 400};
  auto rectangles = [&](char orientation) {
    group.orientation = orientation;
    cell().compact_groups = {group};
    render();
    std::vector<QRect> found;
    for (const RecordedShape& shape : canvas().shapes)
      if (shape.kind == RecordedShape::Frame || shape.kind == RecordedShape::Fill)
        found.push_back(QRect(QPoint(shape.x1, shape.y1), QPoint(shape.x2, shape.y2)));
    return found;
  };
  std::vector<QRect> across = rectangles('H');
  std::vector<QRect> turned = rectangles('V');
  ASSERT_EQ(across.size(), 12u) << "2 rails, 2 bands and 2 plates on each of the four sides";
  ASSERT_EQ(turned.size(), across.size());
  QPoint centre = at(0, 0);
  for (std::size_t i = 0; i < across.size(); ++i) {
    // (u, v) -> (v, -u) in the plan moves a page offset (X, Y) from the centre to (-Y, X).
    QPoint a = across[i].center() - centre;
    QPoint b = turned[i].center() - centre;
    EXPECT_NEAR(b.x(), -a.y(), 1) << i;
    EXPECT_NEAR(b.y(), a.x(), 1) << i;
    EXPECT_NEAR(turned[i].width(), across[i].height(), 1) << i;
  }
}

}  // namespace
