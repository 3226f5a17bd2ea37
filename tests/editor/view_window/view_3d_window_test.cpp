// The 3-D view window on X11 with Mesa: the background and the walls as the
// preferences set them, the bitmap file, the printed page, the quote
// pictures on the print window's cell page, the target staying in the middle
// of the view while the user pans and orbits, and the parts out of sight left
// out without changing the frame.
#include "editor/view_window/view_3d_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrinter>
#include <QScreen>
#include <array>
#include <cstdlib>
#include <filesystem>

#include "editor/box_text.h"
#include "editor/dialog_answers.h"
#include "editor/output_windows/print_window.h"
#include "gfx3d/materials/bitmap32.h"
#include "model/base/file_io.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "output/external_tool.h"
#include "output/print/cell_pages.h"
#include "output/print/plan_slot.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/graph/stage.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/objects/teapot.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"
#include "scene3d/viewer/stage_viewer.h"
#include "scene3d/viewer/x11_child_window.h"
#include "support/gl_required.h"
#include "support/qt_events.h"
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

// A message box the window opens: its text and the window it belongs to.
struct SeenMessage {
  std::string text;
  QWidget* owner = nullptr;
};

std::array<float, 4> xyzw(const TVector4f& v) { return {v.x, v.y, v.z, v.w}; }

// Reads and closes the next message box.
void answer_message(SeenMessage& seen) {
  answer_next<QMessageBox>([&seen](QMessageBox* box) {
    seen = {box_text_as_written(*box).toStdString(), box->parentWidget()};
    box->accept();
  });
}

// The program folder becomes one whose low-detail parts lack the rails; the rails' path.
fs::path part_missing_from(const TempDir& program) {
  fs::copy(stage_dir() / "obj_L", program.path() / "obj_L", fs::copy_options::recursive);
  const fs::path rail = program.path() / "obj_L" / "fiancata.stl";
  fs::remove(rail);
  ProgramDir = program.path().string();
  return rail;
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
    return process_events_until([&] { return frames >= wanted; });
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

// Without a window manager a shown window is never activated: its first
// frame must already have the preferences' background and the lit view.
TEST_F(View3dWindow, TheFirstFrameShowsThePreferencesWithoutAnActivation) {
  AppState.background_3d = 0x0000FF;  // red
  TF3d second;
  int second_frames = 0;
  second.viewer().Buffer().AfterRender = [&](TGLStageBuffer*) { ++second_frames; };
  second.move(300, 300);
  second.show();
  ASSERT_TRUE(process_events_until([&] { return second_frames >= 1; }));
  const QImage frame = second.viewer().Buffer().CaptureFrameBitmap()->ToPlatformBitmap32();
  EXPECT_EQ(frame.pixelColor(0, 0), QColor(255, 0, 0));
  const NavigationRig rig = second.rig();
  EXPECT_EQ(rig.light.Position().AsVector().y, rig.camera.Position().AsVector().y);  // the light follows the camera
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

TEST_F(View3dWindow, TheStoredPictureShowsOnTheCellsPrintedPage) {
  AppState.wall_transparency = 50;
  Cells = {room_with_door()};
  Cells[0].name = "Magazzino";
  AppState.current_cell = 0;
  window->imm1Click();
  ASSERT_TRUE(has_picture(Cells[0]));
  const Tpicture& picture = *Cells[0].picture;

  TFstampa print;
  print.page_context().preview_size = {1050, 1485};
  print.CheckBox1->setChecked(false);  // no quote part: the cell page comes first
  print.show();
  QApplication::processEvents();
  ASSERT_TRUE(print.CheckBox4->isVisible());
  ASSERT_TRUE(print.CheckBox4->isChecked());
  const PageContext& context = print.page_context();
  const QImage page = context.preview_pages.at(0).convertToFormat(QImage::Format_RGB888);
  const QRect place = picture_rect(slot_grid(page.width(), page.height(), 1, 1, true), context.px_per_mm_y, 0, 0,
                                   picture.width, picture.height);
  ASSERT_TRUE(page.rect().contains(place)) << "the picture in the lower half of the page";

  // The page shows the stored pixels, stretched: where the picture is not
  // white, sampled pixels match its scaled copy within a pixel's shift.
  const QImage stored(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
  const QImage expected = stored.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
  auto close = [](QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8;
  };
  int sampled = 0;
  auto matching = [&](const QImage& shown_page) {
    int found = 0;
    sampled = 0;
    for (int y = 1; y < place.height() - 1; y += 3)
      for (int x = 1; x < place.width() - 1; x += 3) {
        if (expected.pixelColor(x, y) == QColor(Qt::white)) continue;
        const QColor shown = shown_page.pixelColor(place.left() + x, place.top() + y);
        bool near = false;
        for (int dy = -1; dy <= 1 && !near; ++dy)
          for (int dx = -1; dx <= 1 && !near; ++dx) near = close(shown, expected.pixelColor(x + dx, y + dy));
        ++sampled, found += near ? 1 : 0;
      }
    return found;
  };
  EXPECT_GT(matching(page), sampled * 95 / 100);
  EXPECT_GT(sampled, 500) << "the room, not a white picture";

  print.CheckBox4->click();  // without the pictures the room's pixels are gone
  EXPECT_LT(matching(print.page_context().preview_pages.at(0).convertToFormat(QImage::Format_RGB888)), sampled / 2);
  print.close();
}

TEST_F(View3dWindow, PartsOutOfSightAreLeftOutWithoutChangingTheFrame) {
  Tcell cell = room_with_door();
  cell.walls[0].modules = cell.walls[4].modules;  // a bay on the near wall too
  cell.walls[0].modules[0].y = 200;
  AppState.wall_transparency = 50;
  window->genera_3d(cell);
  NavigationRig rig = window->rig();
  Navigation& navigation = window->navigation();
  auto drag = [&](int dx, int dy, MouseState buttons) {
    navigation.press(300, 200);
    navigation.move(rig, 300 + dx, 200 + dy, buttons);
  };
  auto frames_agree = [&](const char* view) {
    window->shelving_root().SetVisibilityCulling(vcObjectBased);
    const QImage culled = Frame();
    window->shelving_root().SetVisibilityCulling(vcNone);
    EXPECT_EQ(culled, Frame()) << view;
  };
  frames_agree("as the view opens");
  drag(0, -180, {true, false, true});  // the target onto the far wall
  drag(0, 1000, {false, true, false});
  frames_agree("close up on the far wall, the room's middle out of sight");
  drag(160, 0, {true, false, false});
  drag(0, -300, {false, true, false});
  frames_agree("turned and drawn back");
}

// The window stays on top of the others: its own dialogs belong to it, so
// they open in front of it instead of hiding behind it.
TEST_F(View3dWindow, TheSaveDialogAndItsConfirmationOpenInFrontOfTheWindow) {
  TempDir folder;
  QWidget* dialog_owner = nullptr;
  SeenMessage confirmation;
  answer_next<QFileDialog>([&](QFileDialog* dialog) {
    dialog_owner = dialog->parentWidget();
    answer_message(confirmation);
    dialog->selectFile(QString::fromStdString(folder.file("view")));
    static_cast<QDialog*>(dialog)->accept();  // as the Save button does
  });
  window->Salvasufile1Click();
  EXPECT_EQ(dialog_owner, window.get());
  EXPECT_EQ(confirmation.owner, window.get());
  EXPECT_EQ(confirmation.text, lang_text(178));
  EXPECT_TRUE(fs::exists(folder.file("view.bmp")));
}

// "Preventivo" ends at the first cell whose scene cannot be built: the cells
// before it keep their new pictures, and the window says which file is missing.
TEST_F(View3dWindow, QuotePicturesEndAtAMissingPartAndTheWindowNamesTheFile) {
  TempDir program;
  const fs::path rail = part_missing_from(program);
  Tcell empty_room = room_with_door();
  empty_room.walls[4].modules.clear();
  Cells = {empty_room, room_with_door(), empty_room};
  AppState.current_cell = 0;
  SeenMessage message;
  answer_message(message);
  window->imm1Click();
  EXPECT_EQ(message.text, "File not found: \"" + rail.string() + "\"");
  EXPECT_EQ(message.owner, window.get());
  EXPECT_TRUE(has_picture(Cells[0]));
  EXPECT_FALSE(has_picture(Cells[1]));
  EXPECT_FALSE(has_picture(Cells[2]));
}

// An edit while the window is open rebuilds it; a missing part file stops the
// rebuild but not the edit, and the window names the file once the edit is done.
TEST_F(View3dWindow, ARebuildAfterAnEditNamesAMissingPartOnceTheEditIsDone) {
  TempDir program;
  const fs::path rail = part_missing_from(program);
  SeenMessage message;
  answer_message(message);
  window->rebuild_after_edit(room_with_door());
  EXPECT_EQ(message.owner, nullptr) << "not while the edit goes on";
  ASSERT_TRUE(process_events_until([&] { return message.owner != nullptr; }));
  EXPECT_EQ(message.owner, window.get());
  EXPECT_EQ(message.text, "File not found: \"" + rail.string() + "\"");
  EXPECT_EQ(window->shelving_root().Count(), 1);  // the bay's group, stopped at its first rail
}

// The form's objects as it is made: light, hidden teapot (with its solid),
// the camera's target, the shelving root; the camera's stored direction.
TEST_F(View3dWindow, TheFormsObjectsInTheirOrder) {
  TGLBaseStageObject& objects = *window->shelving_root().Parent();
  NavigationRig rig = window->rig();
  ASSERT_EQ(objects.Count(), 4);
  EXPECT_EQ(objects.Children(0), &rig.light);
  EXPECT_EQ(objects.Children(2), &rig.target);
  EXPECT_EQ(objects.Children(3), &window->shelving_root());
  auto* teapot = dynamic_cast<TGLTeapot*>(objects.Children(1));
  ASSERT_NE(teapot, nullptr);
  EXPECT_FALSE(teapot->Visible());
  EXPECT_EQ(xyzw(teapot->Up().AsVector()), (std::array<float, 4>{0, 0, 1, 0}));
  EXPECT_EQ(teapot->Material().BlendingMode(), bmTransparency);
  ASSERT_EQ(teapot->Count(), 1);
  auto* solid = dynamic_cast<TGLExtrusionSolid*>(teapot->Children(0));
  ASSERT_NE(solid, nullptr);
  EXPECT_EQ(solid->Stacks(), 5);
  const TVector4f direction = rig.camera.Direction().AsVector();
  EXPECT_NEAR(direction.x, -0.9618273f, 1e-6f);
  EXPECT_NEAR(direction.z, -0.2736570f, 1e-6f);
}

// Qt hands the viewer moves without a button only when it asks for them.
TEST_F(View3dWindow, AMoveWithoutAButtonReachesTheNavigation) {
  NavigationRig rig = window->rig();
  rig.camera.Position().SetPoint(30, 40, 50);
  QMouseEvent move(QEvent::MouseMove, QPointF(123, 45), window->viewer().mapToGlobal(QPointF(123, 45)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&window->viewer(), &move);
  EXPECT_EQ(window->navigation().last_x(), 123);
  EXPECT_EQ(window->navigation().last_y(), 45);
  EXPECT_EQ(xyzw(rig.light.Position().AsVector()), xyzw(rig.camera.Position().AsVector()));
}

TEST_F(View3dWindow, ItOpensCentredOnTheScreenWhereverItsOwnerStands) {
  QWidget owner;
  owner.setGeometry(10, 10, 200, 150);
  owner.show();
  TF3d centred(&owner);
  centred.show();
  QApplication::processEvents();
  const QPoint middle = centred.screen()->availableGeometry().center();
  EXPECT_NEAR(centred.frameGeometry().center().x(), middle.x(), 2);
  EXPECT_NEAR(centred.frameGeometry().center().y(), middle.y(), 2);
}

}  // namespace
