// The windows that open in the middle of the screen, wherever the main window
// stands: language choice, main window, door dialog, print window, mail
// window and 3-D view, each centred by its frame.
#include "editor/screen_centring.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <vector>

#include "editor/dialogs/door_dialog.h"
#include "editor/dialogs/language_dialog.h"
#include "editor/main/main_window.h"
#include "editor/main/windows.h"
#include "editor/output_windows/mail_dialog.h"
#include "editor/output_windows/print_window.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "editor/view_window/view_3d_window.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "support/fresh_project.h"
#include "support/room_outline.h"

namespace {

// The frame's middle, with the screen's, as the user sees them once the window
// shows. The offscreen screen (800 x 600) is smaller than the main window, and
// the offscreen platform nudges a frame that would start above the screen by
// its 2-pixel border.
void expect_centred_on_screen(QWidget& window) {
  window.show();
  QApplication::processEvents();
  const QPoint middle = window.screen()->availableGeometry().center();
  const QPoint frame_middle = window.frameGeometry().center();
  EXPECT_NEAR(frame_middle.x(), middle.x(), 2) << window.windowTitle().toStdString();
  EXPECT_NEAR(frame_middle.y(), middle.y(), 2) << window.windowTitle().toStdString();
  EXPECT_GT(window.frameGeometry().height(), window.height()) << "the frame is known";
}

TEST(ScreenCentring, SixWindowsOpenInTheMiddleOfTheScreenWhereverTheMainWindowStands) {
  StagedProgramDir folder;
  ASSERT_TRUE(start_program_in_italian());
  current_cell().walls = four_by_three_walls();
  compute_wall_normals();
  expect_centred_on_screen(*Main);
  Main->move(0, 0);
  QApplication::processEvents();
  Form2->Tag = 0;
  for (QWidget* window : std::vector<QWidget*>{Flingua, Form2, Fstampa, Fmail, F3d}) {
    expect_centred_on_screen(*window);
    window->hide();
  }
  Main->hide();
  destroy_windows();
  reset_open_project();
}

// A window manager's frame is mostly title bar: centring the client area
// would leave the frame half a title bar low.
TEST(ScreenCentring, TheFrameIsCentredNotTheClientArea) {
  const QRect screen(0, 0, 1600, 1200);
  const QMargins frame(4, 24, 4, 4);
  const QPoint client = centred_client_position(screen, QSize(720, 500), frame);
  const QRect outer = QRect(client, QSize(720, 500)).marginsAdded(frame);
  EXPECT_EQ(outer.center(), screen.center());
  EXPECT_EQ(client, QPoint(440, 360));
}

}  // namespace
