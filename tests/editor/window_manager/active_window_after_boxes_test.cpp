// Under a window manager, the window that was active when a box or a modal
// window opened is active again once it closes, also while the 3-D view is
// shown, which stays on top and so owns the boxes: the plan's keys act on
// at once, without a click on the main window. Where the user goes on right
// after the close (another program), the activation stays.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <functional>
#include <string>

#include "desktop_user.h"
#include "editor/dialog_answers.h"
#include "editor/main/main_window.h"
#include "editor/output_windows/print_window.h"
#include "editor/program_with_a_room.h"
#include "editor/view_window/modal_windows_in_front.h"
#include "editor/view_window/view_3d_window.h"
#include "foreign_window.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "support/qt_events.h"

namespace {

bool giving_back() { return F3d->findChild<ModalWindowsInFront*>()->giving_back(); }

// Once the program no longer asks for the activation back, and still once
// the window manager has settled.
bool holds_once_settled(const std::function<bool()>& holds) {
  if (!process_events_until([&holds] { return holds() && !giving_back(); })) return false;
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

// The user clicks another program as a box closes, while the window manager
// has handed the activation to the 3-D view, which owns the box. It does not
// always: the main window may have it back at once, then the box shows again.
TEST_F(ActiveWindowAfterBoxes, AnotherProgramClickedRightAfterABoxKeepsTheActivation) {
  ForeignWindow other;
  ASSERT_NE(other.id(), 0u);
  bool clicked = false;
  for (int tries = 0; tries < 10 && !clicked; ++tries) {
    Main->activateWindow();
    ASSERT_TRUE(is_active(Main));
    close_once_active<QMessageBox>([&other, &clicked](QMessageBox* box) {
      box->buttons().first()->click();
      const XWindowId view = F3d->winId(), main = Main->winId();
      process_events_until([=] { return announced_active_window() == view || announced_active_window() == main; });
      if (announced_active_window() != view) return;
      click_in(other.id());
      clicked = true;
    });
    ui().show_message("said");
  }
  ASSERT_TRUE(clicked);
  EXPECT_TRUE(keeps_the_activation(other.id()));
}

// Minimised, the box hides with the windows it belongs to; restored later
// than a give-back lasts, it is still the box the main window opened.
TEST_F(ActiveWindowAfterBoxes, ABoxRestoredLongAfterItWasMinimisedGivesTheMainWindowBack) {
  close_once_active<QMessageBox>([](QMessageBox* box) {
    minimise(box->winId());
    QElapsedTimer minimised;
    minimised.start();
    process_events_until([&] { return box->isMinimized() && minimised.elapsed() > 2500 && !giving_back(); }, 10000);
    restore(box->winId());
    process_events_until([box] { return has_the_activation(box); });
    box->buttons().first()->click();
  });
  ui().show_message("said");
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

}  // namespace
