// Whole rooms drawn through the plan view and compared with reference images
// that were checked by eye: the sample room on both backgrounds, and an
// L-shaped room in inches with the placement template and a crossing band.
// RACKWRIGHT_WRITE_GOLDENS=1 rewrites the references instead.
#include <gtest/gtest.h>

#include <QLocale>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "editor/plan/plan_view.h"
#include "model/base/units.h"
#include "support/plan_rooms.h"

namespace {

// The test runs with the source tree in its environment; __FILE__ can be relative to the build folder.
const std::filesystem::path kGoldenDir =
    std::filesystem::path(std::getenv("RACKWRIGHT_SOURCE_DIR") ? std::getenv("RACKWRIGHT_SOURCE_DIR") : ".") / "tests" /
    "editor" / "goldens";

// Draws the current cell fitted into a view of the given size.
QImage draw_fitted(int width, int height) {
  PlanView view;
  view.resize(width, height);
  view.fit_plan_to_view(10);
  view.draw_plan();
  return view.plan_image().copy();
}

// Pixels may differ slightly where glyphs are rasterised differently; a real
// change of the drawing moves far more than this.
void expect_matches_golden(const QImage& image, const std::string& name) {
  const QString path = QString::fromStdString((kGoldenDir / (name + ".png")).string());
  if (std::getenv("RACKWRIGHT_WRITE_GOLDENS")) {
    std::filesystem::create_directories(kGoldenDir);
    ASSERT_TRUE(image.save(path));
    return;
  }
  const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(golden.isNull()) << path.toStdString();
  ASSERT_EQ(golden.size(), image.size());
  int differing = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb a = image.pixel(x, y), b = golden.pixel(x, y);
      const int delta =
          std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
      differing += delta > 48;
    }
  }
  EXPECT_LE(differing, image.width() * image.height() / 500) << name;
}

class PlanGoldens : public ::testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale::c()); }
  void TearDown() override { reset_plan_globals(); }
};

}  // namespace

TEST_F(PlanGoldens, SampleRoomOnBothBackgrounds) {
  for (bool black : {false, true}) {
    reset_plan_globals(black);
    Tcell& cell = sample_room();
    cell.walls[4].selected = true;
    cell.walls[3].modules[1].selected = true;
    cell.walls[3].modules[2].selected2 = true;
    cell.free_modules[0].selected = cell.free_modules[0].selected2 = true;
    expect_matches_golden(draw_fitted(800, 600), black ? "sample_room_black" : "sample_room_white");
  }
}

TEST_F(PlanGoldens, LShapedRoomInInchesWithTemplateAndCrossingBand) {
  reset_plan_globals();
  l_shaped_room();
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  AppState.print_max_loads = false;
  AppState.rubber_band = {470, 480, 250, 330};
  AppState.place_free_module_mode = 1;
  Tmodulo_agg& t = AppState.free_module_template;
  t = shelved_free(-1500, 1200, 500, 1000, 'V');
  t.clear_n = 900;
  t.clear_e = 1200;
  t.clear_o = 300;
  t.side_flags = {0, 1, 0, 0, 0, 0};
  expect_matches_golden(draw_fitted(800, 600), "l_room_inches");
}
