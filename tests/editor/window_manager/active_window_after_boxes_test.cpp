// Under a window manager, the window that was active when a box or a modal
// window opened is active again once it closes, also while the 3-D view is
// shown, which stays on top and so owns the boxes: the plan's keys act on
// at once, without a click on the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <functional>
#include <string>

#include "editor/dialog_answers.h"
#include "editor/main/main_window.h"
#include "editor/output_windows/print_window.h"
#include "editor/program_with_a_room.h"
#include "editor/view_window/view_3d_window.h"
#include "model/state/ui_seam.h"
#include "support/qt_events.h"

namespace {

// Active as the window manager has it, and still so once it has settled.
bool is_active(const QWidget* window) {
  if (!process_events_until([window] { return QApplication::activeWindow() == window; })) return false;
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 50);
  return QApplication::activeWindow() == window;
}

// Closes the next modal window of a type once the user could act on it: when
// the window manager made it active. One that never becomes active is closed
// all the same, so the test fails rather than waits.
template <class Window>
void close_once_active(std::function<void(Window*)> close) {
  QElapsedTimer shown;
  answer_once_shown(
      [shown]() mutable -> QWidget* {
        auto* window = dynamic_cast<Window*>(QApplication::activeModalWidget());
        if (!window) return nullptr;
        if (!shown.isValid()) shown.start();
        if (QApplication::activeWindow() == window) return window;
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

}  // namespace
