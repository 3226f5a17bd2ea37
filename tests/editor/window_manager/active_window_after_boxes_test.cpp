// Under a window manager, the window that was active when a box or a modal
// window opened is active again once it closes, also while the 3-D view is
// shown, which stays on top and so owns the boxes: the plan's keys act on
// at once, without a click on the main window, and no key typed right after
// the close is lost. Where the user goes on right after the close (another
// program), the activation stays. A box minimised takes the whole program
// with it, and the 3-D view minimised goes alone. A box shown at start has the
// keys too.
#include <gtest/gtest.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "desktop_user.h"
#include "editor/dialog_answers.h"
#include "editor/main/main_window.h"
#include "editor/main/side_panel.h"
#include "editor/main/startup.h"
#include "editor/main/windows.h"
#include "editor/output_windows/print_window.h"
#include "editor/program_with_a_room.h"
#include "editor/view_window/view_3d_window.h"
#include "foreign_window.h"
#include "model/files/preferences.h"
#include "model/files/project_file.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "support/qt_events.h"

// X headers last: they define Status and Bool, which Qt's headers refuse.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace {

// Once it holds, and still once the window manager has settled.
bool holds_once_settled(const std::function<bool()>& holds) {
  if (!process_events_until(holds)) return false;
  return window_manager_settled() && holds();
}

// Active as the window manager announces it and as the program has it.
bool has_the_activation(QWidget* window) {
  return QApplication::activeWindow() == window && announced_active_window() == window->winId();
}

bool is_active(QWidget* window) {
  return holds_once_settled([window] { return has_the_activation(window); });
}

bool keeps_the_activation(XWindowId window) {
  return holds_once_settled([window] { return announced_active_window() == window; });
}

// Closes the next modal window of a type once the user could act on it: when
// the window manager made it active (the program may count it active
// before). One that never becomes active is closed all the same, so the test
// fails rather than waits.
template <class Window>
void close_once_active(std::function<void(Window*)> close) {
  QElapsedTimer shown;
  answer_once_shown(
      [shown]() mutable -> QWidget* {
        auto* window = dynamic_cast<Window*>(QApplication::activeModalWidget());
        if (!window) return nullptr;
        if (!shown.isValid()) shown.start();
        if (has_the_activation(window)) return window;
        if (shown.elapsed() < 5000) return nullptr;
        ADD_FAILURE() << "a modal window was never active";
        return window;
      },
      [close](QWidget* window) { close(static_cast<Window*>(window)); });
}

void answer_once_active() {
  close_once_active<QMessageBox>([](QMessageBox* box) { box->buttons().first()->click(); });
}

void cancel_once_active() {
  close_once_active<QDialog>([](QDialog* window) { window->reject(); });
}

Display* program_connection() { return qApp->nativeInterface<QNativeInterface::QX11Application>()->display(); }

// The X server has carried out what the program asked of it so far (a round
// trip on the program's own connection): a box closed is gone from the screen.
void server_caught_up() { XSync(program_connection(), False); }

// Sees a mark come back to the program among the X server's events.
class MarkSeen : public QAbstractNativeEventFilter {
 public:
  explicit MarkSeen(Atom mark) : mark_(mark) { qApp->installNativeEventFilter(this); }
  ~MarkSeen() override { qApp->removeNativeEventFilter(this); }
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (type == "xcb_generic_event_t" && (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
        reinterpret_cast<const xcb_property_notify_event_t*>(event)->atom == mark_)
      seen = true;
    return false;
  }
  bool seen = false;

 private:
  const Atom mark_;
};

// The program has handled every event the X server sent it so far, the
// activation of a modal window just shown among them (Qt then asks once more
// to activate it), and the server has its answers: what the user does next
// comes after, as it does for a user. A mark put on the main window comes
// back to the program after those events.
bool program_caught_up() {
  Display* connection = program_connection();
  const Atom mark = XInternAtom(connection, "_RACKWRIGHT_TEST_MARK", False);
  MarkSeen filter(mark);
  const long value = 1;
  XChangeProperty(connection, Main->winId(), mark, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&value), 1);
  XFlush(connection);
  const bool caught_up = process_events_until([&filter] { return filter.seen; });
  server_caught_up();
  return caught_up;
}

// The program's windows as the window manager stacks them, bottom first.
std::vector<XWindowId> stacking() {
  Display* connection = program_connection();
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<XWindowId> windows;
  if (XGetWindowProperty(connection, DefaultRootWindow(connection),
                         XInternAtom(connection, "_NET_CLIENT_LIST_STACKING", False), 0, 1024, False, XA_WINDOW, &type,
                         &format, &count, &after, &data) == Success &&
      format == 32)
    windows.assign(reinterpret_cast<const Window*>(data), reinterpret_cast<const Window*>(data) + count);
  if (data) XFree(data);
  return windows;
}

bool in_front_of(const QWidget* upper, const QWidget* lower) {
  const std::vector<XWindowId> windows = stacking();
  const auto up = std::ranges::find(windows, upper->winId()), down = std::ranges::find(windows, lower->winId());
  return up != windows.end() && down != windows.end() && up > down;
}

// The name the window manager shows for a window.
std::string shown_name(const QWidget* window) {
  Display* connection = program_connection();
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(connection, window->winId(), XInternAtom(connection, "_NET_WM_VISIBLE_NAME", False), 0, 1024,
                         False, XInternAtom(connection, "UTF8_STRING", False), &type, &format, &count, &after,
                         &data) == Success &&
      data)
    name.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return name;
}

// The window manager has handled what the user did so far (a new title of
// the window, set after it, comes back from the window manager as the name it
// shows), and the program what the window manager did then.
bool window_manager_caught_up(QWidget* window) {
  static int marks = 0;
  const QString title = "mark " + QString::number(++marks);
  window->setWindowTitle(title);
  return process_events_until([window, &title] { return shown_name(window).starts_with(title.toStdString()); }) &&
         program_caught_up();
}

// Holds, and still holds once the window manager and the program have
// handled all that was under way then (the keys may move more than once).
bool steadily(QWidget* window, const std::function<bool()>& holds) {
  return process_events_until([&] { return holds() && window_manager_caught_up(window) && holds(); });
}

class ActiveWindowAfterBoxes : public ProgramWithARoom {
 protected:
  void SetUp() override {
    ProgramWithARoom::SetUp();
    if (HasFatalFailure()) return;
    Main->tool_button(8)->trigger();  // the 3-D view
    ASSERT_TRUE(is_active(F3d));
    Main->activateWindow();  // the user clicks the main window
    ASSERT_TRUE(is_active(Main));
  }
};

TEST_F(ActiveWindowAfterBoxes, MessagesAndQuestionsGiveTheMainWindowBack) {
  const std::vector<std::pair<std::string, std::function<void()>>> boxes = {
      {"message", [] { ui().show_message("said"); }},
      {"question", [] { ui().ask_yes_no("asked"); }},
      {"three-way question", [] { ui().ask_yes_no_cancel("asked"); }},
  };
  for (const auto& [name, ask] : boxes) {
    answer_once_active();
    ask();
    EXPECT_TRUE(is_active(Main)) << name;
  }
}

// Saving asks and then confirms: the confirmation opens as the question
// closes, and gives back the window the question came from.
TEST_F(ActiveWindowAfterBoxes, ABoxOpenedAsAnotherClosesGivesTheMainWindowBack) {
  close_once_active<QMessageBox>([](QMessageBox* question) {
    answer_once_active();
    question->button(QMessageBox::Yes)->click();
  });
  Main->tool_button(16)->trigger();
  EXPECT_TRUE(is_active(Main));
}

TEST_F(ActiveWindowAfterBoxes, ModalWindowsGiveTheMainWindowBack) {
  const std::vector<std::pair<std::string, QAction*>> commands = {
      {"free module", Main->tool_button(20)},
      {"print", Main->tool_button(13)},
      {"preferences", Main->Opzioni1},
  };
  for (const auto& [name, command] : commands) {
    cancel_once_active();
    command->trigger();
    EXPECT_TRUE(is_active(Main)) << name;
  }
}

// A message of the print window gives the print window back, and the print
// window the main window.
TEST_F(ActiveWindowAfterBoxes, ABoxOfAModalWindowGivesThatWindowBack) {
  bool print_window_was_active = false;
  close_once_active<TFstampa>([&](TFstampa* print) {
    answer_once_active();
    ui().show_message("said");
    print_window_was_active = is_active(print);
    print->reject();
  });
  Main->tool_button(13)->trigger();
  EXPECT_TRUE(print_window_was_active);
  EXPECT_TRUE(is_active(Main));
}

// Another program's window is shown, which the window manager activates some
// time after it is mapped; then the user goes back to the main window.
void back_in_main_after(const ForeignWindow& other) {
  ASSERT_NE(other.id(), 0u);
  ASSERT_TRUE(process_events_until([&other] { return announced_active_window() == other.id(); }));
  Main->activateWindow();
  ASSERT_TRUE(is_active(Main));
}

// The user clicks another program as soon as a box has closed: the program,
// which gave the keys back to the main window as the box went, takes nothing
// back from it.
TEST_F(ActiveWindowAfterBoxes, AnotherProgramClickedRightAfterABoxKeepsTheActivation) {
  ForeignWindow other;
  ASSERT_NO_FATAL_FAILURE(back_in_main_after(other));
  close_once_active<QMessageBox>([&other](QMessageBox* box) {
    box->buttons().first()->click();
    server_caught_up();
    click_in(other.id());
  });
  ui().show_message("said");
  EXPECT_TRUE(keeps_the_activation(other.id()));
}

// A box the program closes while the user works in another program (a wait
// box, a message answered by the program) takes the keys from nobody.
TEST_F(ActiveWindowAfterBoxes, ABoxClosedWhileTheUserIsInAnotherProgramLeavesTheKeysThere) {
  ForeignWindow other;
  ASSERT_NO_FATAL_FAILURE(back_in_main_after(other));
  bool other_active = false;
  close_once_active<QMessageBox>([&](QMessageBox* box) {
    // The user goes elsewhere once the program has handled the box's
    // activation (Qt asks the window manager for it once more as the keys
    // leave the main window), as a user's click comes long after.
    EXPECT_TRUE(program_caught_up());
    click_in(other.id());
    other_active = process_events_until([&other] { return announced_active_window() == other.id(); });
    // The user works elsewhere once the program has let the activation go:
    // Qt holds it a while after the keys leave, in case another of its own
    // windows takes them.
    EXPECT_TRUE(process_events_until([] { return QApplication::activeWindow() == nullptr; }));
    EXPECT_TRUE(program_caught_up());
    box->buttons().first()->click();
  });
  ui().show_message("said");
  EXPECT_TRUE(other_active);
  EXPECT_TRUE(keeps_the_activation(other.id()));
}

// Minimised, the box hides with the windows it belongs to; restored long
// after (the user comes back to it later), it is still the box the main
// window opened.
TEST_F(ActiveWindowAfterBoxes, ABoxRestoredLongAfterItWasMinimisedGivesTheMainWindowBack) {
  bool minimised = false, restored = false;
  close_once_active<QMessageBox>([&](QMessageBox* box) {
    EXPECT_TRUE(program_caught_up());
    minimise(box->winId());
    minimised = process_events_until([box] { return box->isMinimized(); });
    QElapsedTimer away;
    away.start();
    while (away.elapsed() < 2500) QApplication::processEvents(QEventLoop::AllEvents, 50);
    restore(box->winId());
    restored = process_events_until([box] { return has_the_activation(box); });
    box->buttons().first()->click();
  });
  ui().show_message("said");
  EXPECT_TRUE(minimised);
  EXPECT_TRUE(restored);
  EXPECT_TRUE(is_active(Main));
}

// A name typed into the file dialog: its completer lists the file and has the
// keys when Return confirms the name.
TEST_F(ActiveWindowAfterBoxes, AFileDialogConfirmedFromItsCompleterGivesTheMainWindowBack) {
  write_project_file(program_path("user/imported.cel"), true);
  AppState.modified = 0;
  bool completer_shown = false;
  close_once_active<QFileDialog>([&completer_shown](QFileDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    type_keys("imported.cel");
    completer_shown =
        process_events_until([name] { return name->text() == "imported.cel" && QApplication::activePopupWidget(); });
    press_return();
  });
  Main->Import1->trigger();
  EXPECT_TRUE(completer_shown);
  EXPECT_TRUE(is_active(Main));
}

std::string class_name(const QObject* object) { return object ? object->metaObject()->className() : "nothing"; }

// A quick typist's keys, one every 20 ms from now on, the program running
// between them as it does while the user types.
void type_quickly(const std::string& text) {
  for (const char key : text) {
    if (key == '\n')
      press_return();
    else
      type_keys(std::string(1, key));
    QElapsedTimer gap;
    gap.start();
    while (gap.elapsed() < 20) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

// Keys typed from the moment a box is gone from the screen, 0 to 60 ms after
// it, all reach the side panel's field the user was in, replacing its
// selected text, and Return applies the value: none goes to the 3-D view.
TEST_F(ActiveWindowAfterBoxes, KeysTypedRightAfterABoxClosesReachTheFieldTheUserWasIn) {
  QLineEdit* field = Main->Panel1->Ed_S;
  for (const std::string value : {"350", "1200", "75"}) {
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    close_once_active<QMessageBox>([&value](QMessageBox* box) {
      box->buttons().first()->click();
      server_caught_up();
      type_quickly(value.substr(0, 1));
    });
    ui().show_message("said");
    type_quickly(value.substr(1) + "\n");
    const double typed = std::stod(value);
    EXPECT_TRUE(process_events_until([typed] { return current_cell().clearance == typed; }))
        << value << " typed, the field holds " << field->text().toStdString() << ", the keys go to "
        << class_name(QApplication::focusWidget()) << " in " << class_name(QApplication::activeWindow());
  }
}

// The 3-D view stays on top, and a box stays in front of it all the same,
// also when the user clicks the view or the main window while the box is
// open: the box has the keys back (the window clicked has them for a moment,
// until Qt hands them to the box).
TEST_F(ActiveWindowAfterBoxes, ABoxStaysInFrontOfTheViewWhereverTheUserClicks) {
  const auto box_in_front = [](QMessageBox* box) {
    return in_front_of(box, F3d) && in_front_of(F3d, Main) && has_the_activation(box);
  };
  bool shown_in_front = false, in_front_after_view = false, in_front_after_main = false;
  close_once_active<QMessageBox>([&](QMessageBox* box) {
    shown_in_front = box_in_front(box);
    // Corners clear of the box, which opens in the middle of the screen, and
    // of the view there too.
    click_at(F3d->winId(), 10, F3d->height() - 10);
    in_front_after_view = window_manager_caught_up(box) && steadily(box, [&] { return box_in_front(box); });
    click_at(Main->winId(), 10, Main->height() - 10);
    in_front_after_main = window_manager_caught_up(box) && steadily(box, [&] { return box_in_front(box); });
    box->buttons().first()->click();
  });
  ui().show_message("said");
  EXPECT_TRUE(shown_in_front);
  EXPECT_TRUE(in_front_after_view);
  EXPECT_TRUE(in_front_after_main);
  EXPECT_TRUE(is_active(Main));
}

// Minimised, a box or a modal window takes the whole program with it, the
// 3-D view and the main window too: none stays on screen, blocked by a box
// out of sight. Restored, they all come back, the box in front.
TEST_F(ActiveWindowAfterBoxes, MinimisingABoxOrAModalWindowMinimisesTheWholeProgram) {
  const auto minimised_together = [](QWidget* window) {
    return window->isMinimized() && Main->isMinimized() && F3d->isMinimized();
  };
  const auto restored_together = [](QWidget* window) {
    return !window->isMinimized() && !Main->isMinimized() && !F3d->isMinimized() && in_front_of(window, F3d) &&
           has_the_activation(window);
  };
  // Whether the whole program went with the window, and came back with it.
  const auto minimise_and_restore = [&](QWidget* window) {
    EXPECT_TRUE(program_caught_up());
    minimise(window->winId());
    const bool went = process_events_until([&] { return minimised_together(window); });
    restore(window->winId());
    const bool came_back = process_events_until([&] { return restored_together(window); });
    return std::pair(went, came_back);
  };
  std::pair<bool, bool> box_seen, print_seen;
  close_once_active<QMessageBox>([&](QMessageBox* box) {
    box_seen = minimise_and_restore(box);
    box->buttons().first()->click();
  });
  ui().show_message("said");
  EXPECT_EQ(box_seen, std::pair(true, true)) << "minimised together, restored together";
  EXPECT_TRUE(is_active(Main));

  close_once_active<TFstampa>([&](TFstampa* print) {
    print_seen = minimise_and_restore(print);
    print->reject();
  });
  Main->tool_button(13)->trigger();
  EXPECT_EQ(print_seen, std::pair(true, true)) << "minimised together, restored together";
  EXPECT_TRUE(is_active(Main));
}

// The view minimised on its own goes alone: the main window stays on the
// screen with the keys, for the user to work on the plan, and a box opened
// there has the keys in front of it. So it is again once a box has closed.
TEST_F(ActiveWindowAfterBoxes, TheViewMinimisesAlone) {
  const auto minimised_alone = [] {
    EXPECT_TRUE(program_caught_up());
    minimise(F3d->winId());
    return process_events_until([] { return F3d->isMinimized(); }) && window_manager_settled() &&
           !Main->isMinimized() && is_active(Main);
  };
  const auto restore_view = [] {
    restore(F3d->winId());
    return process_events_until([] { return !F3d->isMinimized() && has_the_activation(F3d); });
  };
  EXPECT_TRUE(minimised_alone()) << "before any box";
  answer_once_active();
  ui().show_message("said");
  EXPECT_TRUE(is_active(Main));
  EXPECT_TRUE(restore_view());
  Main->activateWindow();
  ASSERT_TRUE(is_active(Main));
  answer_once_active();
  ui().show_message("said");
  EXPECT_TRUE(minimised_alone()) << "after a box";
  EXPECT_TRUE(restore_view());
}

using BoxesAtStart = ProgramWithARoom;

// The user goes on in another program while the program starts; its box
// opens in the middle of the screen with the keys all the same.
TEST_F(BoxesAtStart, ABoxBeforeTheMainWindowOpensInTheMiddleOfTheScreenWithTheKeys) {
  write_preferences();  // the language chosen: the next start asks nothing
  Main->hide();
  destroy_windows();
  folder.write("user/list.dat", "cut short");  // a damaged project index, said at start
  create_windows();
  ForeignWindow other;
  ASSERT_NE(other.id(), 0u);
  click_in(other.id());
  ASSERT_TRUE(keeps_the_activation(other.id()));
  QPoint middle, screen_middle;
  close_once_active<QMessageBox>([&](QMessageBox* box) {
    EXPECT_TRUE(window_manager_settled());
    // The frame as the window manager has it: the widget may still tell the
    // makeshift one it was first told.
    middle = box->windowHandle()->frameGeometry().center();
    screen_middle = box->screen()->availableGeometry().center();
    box->buttons().first()->click();
  });
  EXPECT_TRUE(initialise_program(""));
  EXPECT_NEAR(middle.x(), screen_middle.x(), 2);
  EXPECT_NEAR(middle.y(), screen_middle.y(), 2);
  // The main window shows as the start ends: the keys go back to it once the
  // other program has gone.
  Main->show();
  EXPECT_TRUE(process_events_until([] { return Main->windowHandle()->isExposed(); }));
}

}  // namespace
