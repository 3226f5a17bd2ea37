// The 3-D view window on X11 with Mesa: the background and the walls as the
// preferences set them, the bitmap file, the printed page, the quote
// pictures, and the target staying in the middle of the view while the user
// pans and orbits.
#include "editor/view3d/view_3d_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <cstdlib>
#include <filesystem>

#include "gfx3d/bitmap32.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/files/file_io.h"
#include "model/state/globals.h"
#include "output/external_tool.h"
#include "scene3d/base_mesh.h"
#include "scene3d/dummy_cube.h"
#include "scene3d/scene_initialization.h"
#include "scene3d/stage.h"
#include "scene3d/viewer/stage_viewer.h"
#include "scene3d/viewer/x11_child_window.h"
#include "support/gl_required.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "view3d/part_library.h"

namespace fs = std::filesystem;

namespace {

fs::path stage_dir() {
  const char* dir = std::getenv("RACKWRIGHT_STAGE_DIR");
  return dir ? fs::path(dir) : fs::path("bin");
}

Tcell room_with_door() {
  Tcell cell;
  auto wall = [&](double x1, double y1, double x2, double y2, double nx, double ny, char o, int kind) {
    Tlinea line;
    line.x1 = x1, line.y1 = y1, line.x2 = x2, line.y2 = y2, line.normal_x = nx, line.normal_y = ny;
    line.orientation = o, line.kind = kind;
    cell.walls.push_back(line);
  };
  wall(0, 0, 4000, 0, 0, -1, 'H', 1);
  wall(4000, 0, 4000, 3000, 1, 0, 'V', 1);
  wall(4000, 3000, 3000, 3000, 0, 1, 'H', 1);
  wall(3000, 3000, 2000, 3000, 0, 1, 'H', 0);
  wall(2000, 3000, 0, 3000, 0, 1, 'H', 1);
  wall(0, 3000, 0, 0, -1, 0, 'V', 1);
  cell.wall_thickness = 60;
  Tmodulo bay;
  bay.x = 1000, bay.y = 2800, bay.length = 1062, bay.width = 400, bay.height = 2000, bay.orientation = 'H';
  bay.shelf_pattern = "1000100010001";
  cell.walls[4].modules = {bay};  // on the far wall, in sight over the near one
  return cell;
}

class View3dWindow : public testing::Test {
 protected:
  void SetUp() override {
    if (!QtRunsOnX11()) SKIP_OR_FAIL_WITHOUT_GL("Qt does not run on X11");
    InitializeScene3D();
    set_ui(&ui);
    // The catalogue first: its structure types are the code table's option columns.
    ProgramDir = stage_dir().string();
    AppState.inches = false;
    load_data_file(0);
    ProgramDir = (stage_dir() / "defaults").string();
    read_codes_table();
    ProgramDir = stage_dir().string();
    AppState.resolution_3d = 0;
    AppState.wall_height = 2500;
    AppState.wall_transparency = 0;
    AppState.background_3d = 0;
    window = std::make_unique<TF3d>();
    window->move(400, 400);
    window->viewer().Buffer().AfterRender = [this](TGLStageBuffer*) { ++frames; };
    window->show();
    ASSERT_TRUE(WaitForFrames(1)) << window->failure_report().toStdString();
    // Let the child window take its final size before the frames are read.
    for (int i = 0; i < 10; ++i) QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  void TearDown() override {
    window.reset();
    Cells.clear();
    set_ui(nullptr);
  }

  bool WaitForFrames(int n) {
    const int wanted = frames + n;
    QElapsedTimer timer;
    timer.start();
    while (frames < wanted && timer.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    return frames >= wanted;
  }

  QImage Frame() {
    QImage frame = window->viewer().Buffer().CaptureFrameBitmap()->ToPlatformBitmap32();
    if (const char* folder = std::getenv("VIEW3D_SHOT_DIR"))
      frame.save(QString(folder) + "/" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
    return frame;
  }

  static int CountPixels(const QImage& frame, const std::function<bool(QColor)>& wanted) {
    int count = 0;
    for (int y = 0; y < frame.height(); ++y)
      for (int x = 0; x < frame.width(); ++x) count += wanted(frame.pixelColor(x, y)) ? 1 : 0;
    return count;
  }

  ScriptedUi ui;
  std::unique_ptr<TF3d> window;
  int frames = 0;
};

TEST_F(View3dWindow, TheBackgroundComesFromThePreferencesAndTheBitmapHoldsBgra) {
  AppState.background_3d = 0x0000FF;  // red, as 0x00BBGGRR
  window->FormActivate();
  const QColor corner = Frame().pixelColor(0, 0);
  EXPECT_EQ(corner, QColor(255, 0, 0));
  TempDir folder;
  window->save_bitmap(folder.file("shot"));
  const std::string bmp = read_file_bytes(folder.file("shot.bmp"));
  ASSERT_GT(bmp.size(), 54u);
  auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(
        static_cast<unsigned char>(bmp[at]) | static_cast<unsigned char>(bmp[at + 1]) << 8 |
        static_cast<unsigned char>(bmp[at + 2]) << 16 | static_cast<unsigned char>(bmp[at + 3]) << 24);
  };
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(u32(10), 54u);
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(static_cast<int>(u32(18)), window->viewer().width());
  EXPECT_EQ(static_cast<int>(u32(22)), window->viewer().height());  // positive: bottom-up
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 32);
  EXPECT_EQ(u32(30), 0u);  // BI_RGB
  EXPECT_EQ(bmp.size(), 54u + 4u * u32(18) * u32(22));
  EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 0);    // blue
  EXPECT_EQ(static_cast<unsigned char>(bmp[55]), 0);    // green
  EXPECT_EQ(static_cast<unsigned char>(bmp[56]), 255);  // red
}

TEST_F(View3dWindow, WallTransparencyFromInvisibleToAnOpaqueBluishRing) {
  Tcell empty_room = room_with_door();
  empty_room.walls[4].modules.clear();
  AppState.wall_transparency = 100;
  window->genera_3d(empty_room);
  EXPECT_EQ(CountPixels(Frame(), [](QColor c) { return c != QColor(0, 0, 0); }), 0);
  AppState.wall_transparency = 0;
  window->genera_3d(empty_room);
  EXPECT_GT(CountPixels(Frame(), [](QColor c) { return c.blue() > c.red() + 20 && c.blue() > 40; }), 5000);
}

TEST_F(View3dWindow, ARoomShowsItsShelving) {
  AppState.wall_transparency = 50;
  window->FormActivate();
  window->genera_3d(room_with_door());
  EXPECT_TRUE(window->failure_report().isEmpty()) << window->failure_report().toStdString();
  // The shelving's default grey, apart from the bluish walls and the black background.
  auto grey = [](QColor c) {
    return c.red() > 60 && std::abs(c.red() - c.blue()) < 12 && std::abs(c.red() - c.green()) < 12;
  };
  EXPECT_GT(CountPixels(Frame(), grey), 500);
}

TEST_F(View3dWindow, WhatStandsAboveTheTargetIsDrawnHigh) {
  PartLibrary parts(stage_dir() / "obj_L");
  auto* marker = window->rig().target.NewChildOfClass<TGLFreeForm>();
  parts.load_into(*marker, "ruota.stl");
  marker->Scale().SetVector(0.02f, 0.02f, 0.02f);
  marker->Position().SetPoint(0, 5, 0);
  const QImage frame = Frame();
  int drawn = 0, low = 0;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x)
      if (frame.pixelColor(x, y) != QColor(0, 0, 0)) ++drawn, low += y >= frame.height() / 2 ? 1 : 0;
  EXPECT_GT(drawn, 20);
  EXPECT_EQ(low, 0);
}

TEST_F(View3dWindow, TheTargetStaysInTheMiddleWhileTheUserPansAndOrbits) {
  window->genera_3d(Tcell{});
  // A marker that moves with the target.
  PartLibrary parts(stage_dir() / "obj_L");
  auto* marker = window->rig().target.NewChildOfClass<TGLFreeForm>();
  parts.load_into(*marker, "ruota.stl");
  marker->Scale().SetVector(0.05f, 0.05f, 0.05f);
  marker->Position().SetPoint(-47.5f * 0.05f, -55.8f * 0.05f, -47.5f * 0.05f);
  auto centre_is_marked = [&] {
    const QImage frame = Frame();
    return frame.pixelColor(frame.width() / 2, frame.height() / 2) != QColor(0, 0, 0);
  };
  EXPECT_TRUE(centre_is_marked());
  NavigationRig rig = window->rig();
  Navigation& navigation = window->navigation();
  navigation.press(300, 200);
  navigation.move(rig, 360, 260, {true, false, true});   // pan
  navigation.move(rig, 420, 230, {true, false, false});  // orbit
  EXPECT_NE(rig.target.Position().X(), 0);
  EXPECT_TRUE(centre_is_marked());
}

TEST_F(View3dWindow, ThePrintedPageIsLandscapeWithTheFrameCentred) {
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/pdfinfo");
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/pdftoppm");
  window->genera_3d(room_with_door());
  TempDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setResolution(300);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(folder.file("view.pdf")));
  printer.setPageSize(QPageSize(QPageSize::A4));
  window->print_frame(printer);
  ToolResult info = run_tool("/usr/bin/pdfinfo", {folder.file("view.pdf")});
  EXPECT_NE(info.output.find("Page size:       842 x 595 pts (A4)"), std::string::npos) << info.output;  // landscape
  ToolResult png =
      run_tool("/usr/bin/pdftoppm", {"-r", "30", "-png", "-singlefile", folder.file("view.pdf"), folder.file("page")});
  ASSERT_EQ(png.exit_code, 0) << png.output;
  const QImage page(QString::fromStdString(folder.file("page.png")));
  ASSERT_FALSE(page.isNull());
  int left = page.width(), right = -1;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixelColor(x, y).lightness() < 240) left = std::min(left, x), right = std::max(right, x);
  ASSERT_GE(right, left);
  EXPECT_NEAR((left + right) / 2.0, page.width() / 2.0, page.width() * 0.03);
}

TEST_F(View3dWindow, QuotePicturesAreWhiteBehindAndTheViewComesBack) {
  AppState.background_3d = 0x00FF00;
  window->FormActivate();
  Tcell open = room_with_door();
  open.walls.pop_back();  // the outline does not close
  Cells = {room_with_door(), open};
  AppState.current_cell = 0;
  window->imm1Click();
  const int w = window->viewer().width(), h = window->viewer().height();
  for (const Tcell& cell : Cells) {
    ASSERT_NE(cell.picture, nullptr);
    EXPECT_EQ(cell.picture->width, w);
    EXPECT_EQ(cell.picture->height, h);
    EXPECT_EQ(cell.picture->rgb.size(), static_cast<std::size_t>(w * h * 3));
  }
  const auto& blank = Cells[1].picture->rgb;
  EXPECT_TRUE(std::all_of(blank.begin(), blank.end(), [](std::uint8_t b) { return b == 255; }));
  const auto& room = Cells[0].picture->rgb;
  EXPECT_FALSE(std::all_of(room.begin(), room.end(), [](std::uint8_t b) { return b == 255; }));
  EXPECT_EQ(window->viewer().Buffer().BackgroundColor(), 0x00FF00u);
  EXPECT_GT(window->shelving_root().Count(), 0);  // the current cell again
}

}  // namespace
