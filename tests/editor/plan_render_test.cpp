// Pixel probes of the plan drawing on small hand-made cells: colours by role
// and selection on both backgrounds, dimension and text placement, culling,
// the overlays and the raster rules of rectangles.
#include <gtest/gtest.h>

#include <QLocale>
#include <tuple>

#include "editor/plan/plan_texts.h"
#include "plan_drawing/plan_shapes.h"
#include "plan_render_fixture.h"
#include "support/plan_builders.h"

namespace {

Tlinea wall_with_normal(double x1, double y1, double x2, double y2, double nx, double ny) {
  Tlinea wall = make_wall(x1, y1, x2, y2);
  wall.normal_x = nx;
  wall.normal_y = ny;
  wall.length = std::abs(x2 - x1) + std::abs(y2 - y1);
  return wall;
}

// An anticlockwise room centred on the origin: bottom, right, top, left wall.
Tcell rectangle_room(double half_width, double half_height) {
  const double w = half_width, h = half_height;
  Tcell cell;
  cell.walls = {wall_with_normal(-w, -h, w, -h, 0, -1), wall_with_normal(w, -h, w, h, 1, 0),
                wall_with_normal(w, h, -w, h, 0, 1), wall_with_normal(-w, h, -w, -h, -1, 0)};
  return cell;
}

Tcell cell_with_bay(const Tmodulo& bay) {
  Tcell cell;
  cell.walls = {wall_with_normal(-1000, -300, 1000, -300, 0, -1)};
  cell.walls[0].modules = {bay};
  return cell;
}

int count_in_column(const RenderedPlan& plan, const QColor& colour, int x, int top, int bottom) {
  return static_cast<int>(plan.pixels_of(colour, QRect(QPoint(x, top), QPoint(x, bottom))).size());
}

}  // namespace

TEST(PlanRender, WallFacesAndRunLinesTakeTheirRoleColours) {
  Tcell cell = rectangle_room(1000, 500);
  cell.walls[0].kind = 0;  // the bottom wall is an opening
  for (bool black : {false, true}) {
    const RenderedPlan plan = render_cell(cell, plan_state(0.05, black));
    // Outer faces 60 mm outside: the opening's at Y = 100 + 28, the right wall's at X = 100 + 53.
    // Then the opening's run line (slot 3), a wall's run line (slot 1) and the room.
    const QColor ink = black ? White : Black, paper = black ? Black : White;
    for (auto [x, y, colour] : {std::tuple{100, 128, Silver},
                                {153, 100, ink},
                                {100, 125, black ? Grey : Silver},
                                {150, 100, ink},
                                {100, 100, paper}})
      EXPECT_EQ(plan.at(x, y), colour) << black << " at " << x << "," << y;
  }
}

TEST(PlanRender, BayPensFollowCustomShelvesThenSelection) {
  struct Case {
    bool custom, selected, selected2;
    QColor colour;
    int width;
  };
  for (const Case& c :
       {Case{false, false, false, Grey, 1}, Case{true, false, false, Magenta, 1}, Case{true, true, false, Blue, 2},
        Case{false, false, true, Cyan, 1}, Case{true, true, true, Cyan, 2}}) {
    Tmodulo bay = make_bay(0, 0, 500, 1000, 'H');
    bay.custom_shelves = c.custom ? 1 : 0;
    bay.selected = c.selected;
    bay.selected2 = c.selected2;
    const RenderedPlan plan = render_cell(cell_with_bay(bay), plan_state(0.1));
    // The bay spans X 50..150 and Y 75..125; only its top edge crosses rows 70..76 of column 100.
    EXPECT_EQ(count_in_column(plan, c.colour, 100, 70, 76), c.width) << c.custom << c.selected << c.selected2;
  }
}

TEST(PlanRender, SelectedWallArrowHeadIsTenPixelsAtAnyZoom) {
  Tcell cell;
  cell.walls = {wall_with_normal(-1000, 0, 1000, 0, 0, -1)};
  cell.walls[0].selected = true;
  for (double zoom : {0.05, 0.12, 0.2}) {
    const Tvar_amb state = plan_state(zoom);
    const RenderedPlan plan = render_cell(cell, state, 400, 400);
    const QPoint tip = plan_to_screen(view_transform(state, 400, 400), 1000 - 90, -90);  // k = 1.5 * 60
    const std::vector<QPoint> red = plan.pixels_of(Red);
    ASSERT_FALSE(red.empty());
    int barb_left = tip.x(), barb_drop = 0;
    for (QPoint p : red) {
      if (p.y() == tip.y()) continue;
      barb_left = std::min(barb_left, p.x());
      barb_drop = std::max(barb_drop, std::abs(p.y() - tip.y()));
    }
    EXPECT_EQ(tip.x() - barb_left, 10) << zoom;
    EXPECT_EQ(barb_drop, 2) << zoom;
  }
}

TEST(PlanRender, DimensionTextsSitAboveOrLeftOfTheirPoint) {
  // The overall dimension of a wall stands 60 + 250 + 150 mm out: 46 px at zoom 0.1.
  Tcell upright;
  upright.walls = {wall_with_normal(0, -1000, 0, 1000, 1, 0)};
  upright.walls[0].orientation = 'V';
  upright.walls[0].show_dimensions = true;
  const RenderedPlan v = render_cell(upright, plan_state(0.1));
  const std::vector<QPoint> v_text = v.pixels_of(Black, QRect(QPoint(110, 0), QPoint(199, 199)));
  ASSERT_FALSE(v_text.empty());
  for (QPoint p : v_text) EXPECT_LT(p.x(), 146);
  // Turned to read upwards: the text is taller than wide.
  const auto [top, bottom] =
      std::minmax_element(v_text.begin(), v_text.end(), [](QPoint a, QPoint b) { return a.y() < b.y(); });
  EXPECT_GT(bottom->y() - top->y(), 20);

  Tcell level;
  level.walls = {wall_with_normal(-1000, 0, 1000, 0, 0, -1)};
  level.walls[0].show_dimensions = true;
  const RenderedPlan h = render_cell(level, plan_state(0.1));
  const std::vector<QPoint> h_text = h.pixels_of(Black, QRect(QPoint(0, 110), QPoint(199, 199)));
  ASSERT_FALSE(h_text.empty());
  for (QPoint p : h_text) EXPECT_LT(p.y(), 146);
}

TEST(PlanRender, FreeLengthDimensionsShowOnlyTheirParts) {
  Tcell cell;
  cell.walls = {wall_with_normal(-1000, 0, 1000, 0, 0, -1)};
  Tlinea& wall = cell.walls[0];
  wall.show_dimensions = true;
  // The row of the free lengths stands 60 + 250 mm out: Y = 131; the start part ends at X = 30.
  const auto row = [&] { return render_cell(cell, plan_state(0.1)); };
  EXPECT_TRUE(row().pixels_of(Silver, QRect(QPoint(20, 131), QPoint(180, 131))).empty());
  wall.start_free = 300;
  RenderedPlan start_only = row();
  EXPECT_EQ(start_only.at(20, 131), Silver);
  EXPECT_TRUE(start_only.pixels_of(Silver, QRect(QPoint(40, 131), QPoint(160, 131))).empty());
  wall.end_free = 200;
  EXPECT_EQ(row().at(100, 131), Silver);
}

TEST(PlanRender, UsefulSurfaceCountsWhatIsOutOfViewToo) {
  Tmodulo near_bay = make_bay(0, 0, 500, 1000, 'H');
  near_bay.shelf_pattern = "0101010101";
  Tmodulo far_bay = near_bay;
  far_bay.x = 1e6;
  Tcell cell = cell_with_bay(near_bay);
  cell.walls[0].modules.push_back(far_bay);
  Tmodulo_agg far_module = make_free(-5e5, 0, 600, 1300, 'V');
  far_module.shelf_pattern = "11111";
  cell.free_modules = {far_module};
  Tvar_amb state = plan_state(0.1);
  EXPECT_DOUBLE_EQ(render_cell(cell, state).surface, 2.5 + 2.5 + 3.9);

  EXPECT_EQ(useful_surface_text(8.9, state), "");
  state.product_switch = 1;
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(useful_surface_text(8.9, state), "Sup.Ut.: 8.9 mq");
  EXPECT_EQ(useful_surface_text(0.125, state), "Sup.Ut.: 0.12 mq");  // two decimals, half to even
  QLocale::setDefault(QLocale(QLocale::German));
  EXPECT_EQ(useful_surface_text(1234.5, state), "Sup.Ut.: 1234,5 mq");
  EXPECT_EQ(plan_length_text(2500, state), "2500,0");
  QLocale::setDefault(QLocale::c());
}

TEST(PlanRender, ClearanceDimensionsStartOutsideTheUprights) {
  Tmodulo_agg module = make_free(0, 0, 500, 1000, 'H');
  module.clear_e = 30;
  module.dim_e = true;
  EXPECT_TRUE(clearance_dimensions(module).empty());  // 30 - 4 - 28 < 0
  module.clear_e = 100;
  module.clear_n = 100;
  module.clear_s = 100;  // no flag
  module.dim_n = true;
  const std::vector<ClearanceDimension> dims = clearance_dimensions(module);
  ASSERT_EQ(dims.size(), 2u);
  // Across the run nothing is taken off.
  EXPECT_EQ(std::pair(dims[0].value, dims[0].from.y), std::pair(100.0, 250.0));
  EXPECT_EQ(std::tuple(dims[1].value, dims[1].from.x, dims[1].to.x), std::tuple(68.0, 532.0, 600.0));

  Tmodulo_agg upright = make_free(0, 0, 500, 1000, 'V');
  upright.clear_n = 100;
  upright.dim_n = true;
  ASSERT_EQ(clearance_dimensions(upright).size(), 1u);
  EXPECT_EQ(clearance_dimensions(upright)[0].value, 68);
  EXPECT_EQ(clearance_dimensions(upright)[0].from.y, 532);
}

TEST(PlanRender, FreeModuleFramesFollowTheirSideFlags) {
  Tcell cell;
  cell.free_modules = {make_free(0, 0, 500, 1000, 'H')};
  Tvar_amb state = plan_state(0.1);
  state.debug = 1;  // intermediate frames red, run-end frames blue
  const auto left_and_right = [&](const QColor& colour) {
    const RenderedPlan plan = render_cell(cell, state);
    return std::pair{plan.pixels_of(colour, QRect(0, 0, 100, 200)).size(),
                     plan.pixels_of(colour, QRect(100, 0, 100, 200)).size()};
  };
  cell.free_modules[0].side_flags = {1, 0, 1, 1, 0, 1};  // low end joined: never a frame there
  auto [red_left, red_right] = left_and_right(Red);
  EXPECT_EQ(red_left, 0u);
  EXPECT_GT(red_right, 0u);
  cell.free_modules[0].side_flags = {0, 0, 1, 0, 0, 0};
  auto [blue_left, blue_right] = left_and_right(Blue);
  EXPECT_GT(blue_left, 0u);
  EXPECT_EQ(blue_right, 0u);
  state.debug = 0;
  EXPECT_EQ(left_and_right(Blue), (std::pair<std::size_t, std::size_t>{0, 0}));
}

TEST(PlanRender, RubberBandIsSolidToTheRightDottedToTheLeft) {
  Tvar_amb state = plan_state(0.1);
  state.rubber_band = {20, 20, 120, 80};
  const RenderedPlan window = render_cell(Tcell{}, state);
  EXPECT_EQ(window.pixels_of(Black, QRect(QPoint(20, 20), QPoint(119, 20))).size(), 100u);
  // Right and bottom edges are left out, as the raster rectangle defines them.
  for (auto [x, y, colour] :
       {std::tuple{119, 50, Black}, {120, 50, White}, {50, 79, Black}, {50, 80, White}, {50, 50, White}})
    EXPECT_EQ(window.at(x, y), colour) << x << "," << y;

  state.rubber_band = {120, 20, 20, 80};
  const RenderedPlan crossing = render_cell(Tcell{}, state);
  const std::size_t dots = crossing.pixels_of(Black, QRect(QPoint(20, 20), QPoint(119, 20))).size();
  EXPECT_GT(dots, 20u);
  EXPECT_LT(dots, 80u);
}

TEST(PlanRender, TrolleyWheelsShowWhileItsBodyIsCulled) {
  // A short, deep trolley whose centre lies 15 px above the view: culled with its
  // 10 px margin, while its lower wheels (286 mm below the centre) fall inside.
  Tcell cell;
  cell.free_modules = {make_free(0, 1150, 600, 100, 'H', "CARRELLO")};
  const RenderedPlan plan = render_cell(cell, plan_state(0.1));
  EXPECT_FALSE(plan.pixels_of(Grey, QRect(QPoint(86, 8), QPoint(100, 20))).empty());
  EXPECT_EQ(plan.at(95, 2), White);  // where the body's edge would be
}

TEST(PlanRender, CompactGroupTiesOnlyWhereAWallIsNear) {
  Tcorvane group;
  group.orientation = 'H';
  group.overall_length = 2577;
  group.depth = 1108;
  group.kit_length = 2245;
  Tcell cell;
  cell.compact_groups = {group};
  const RenderedPlan bare = render_cell(cell, plan_state(0.05));
  EXPECT_EQ(bare.at(38, 100), Grey);  // the left rail, 43.5 mm in from the end
  // Everything stays within the group's own box, Y 72..128.
  EXPECT_TRUE(bare.pixels_of(Grey, QRect(0, 0, 200, 71)).empty());
  EXPECT_TRUE(bare.pixels_of(Grey, QRect(0, 129, 200, 71)).empty());

  cell.compact_groups[0].wall_gaps = {300, -1, 0, -1};
  const RenderedPlan tied = render_cell(cell, plan_state(0.05));
  EXPECT_FALSE(tied.pixels_of(Grey, QRect(0, 50, 200, 10)).empty());  // the north plates at Y 57..58
  EXPECT_TRUE(tied.pixels_of(Grey, QRect(0, 0, 20, 200)).empty());    // no tie to the west
}

TEST(PlanRender, PendingSegmentInvertsWhatItCrosses) {
  Tcell cell;
  cell.walls = {wall_with_normal(-1000, 0, 1000, 0, 0, -1)};
  for (bool black : {false, true}) {
    Tvar_amb state = plan_state(0.1, black);
    state.outline_mode = 1;
    state.segment_pending = 1;
    state.segment_offset = {50, 0};
    const RenderedPlan over_wall = render_cell(cell, state);
    EXPECT_EQ(over_wall.at(80, 100), black ? White : Black);   // the run line
    EXPECT_EQ(over_wall.at(120, 100), black ? Black : White);  // inverted by the segment
    const RenderedPlan empty = render_cell(Tcell{}, state);
    EXPECT_EQ(empty.at(120, 100), black ? White : Black);
  }
}

TEST(PlanRender, TemplateShowsItsCoupledEndsInRed) {
  Tvar_amb state = plan_state(0.1);
  state.place_free_module_mode = 1;
  state.free_module_template = make_free(0, 0, 500, 1000, 'H');
  state.free_module_template.side_flags = {1, 0, 0, 0, 0, 0};
  const RenderedPlan plan = render_cell(Tcell{}, state);
  EXPECT_EQ(plan.at(50, 90), Black);  // the template's left edge
  EXPECT_EQ(plan.at(52, 90), Red);    // 2 px inside it, 3 px wide
  EXPECT_EQ(plan.at(56, 90), White);
  EXPECT_TRUE(plan.pixels_of(Red, QRect(100, 0, 100, 200)).empty());
}

TEST(PlanRender, LabelFontFollowsTheZoomAndNeverVanishes) {
  EXPECT_EQ(plan_label_font(120, 1.0).pixelSize(), 120);
  EXPECT_EQ(plan_label_font(120, 0.05).pixelSize(), 6);
  EXPECT_EQ(plan_label_font(120, 1.0 / 1000).pixelSize(), 1);

  // A text is drawn only when its anchor lies strictly inside the surface.
  QImage image(50, 50, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PlanCanvas canvas{painter, {}, image.rect(), palette_colours(plan_state(1).palette)};
  painter.setFont(plan_label_font(10, 1.0));
  draw_text_horizontal(canvas, QPoint(0, 25), "XX", 0);
  painter.end();
  EXPECT_EQ(image, [&] {
    QImage blank(50, 50, QImage::Format_RGB32);
    blank.fill(Qt::white);
    return blank;
  }());
  painter.begin(&image);
  painter.setFont(plan_label_font(10, 1.0));
  draw_text_horizontal(canvas, QPoint(1, 25), "XX", 0);
  painter.end();
  EXPECT_FALSE(RenderedPlan{image}.pixels_of(Black).empty());
}
