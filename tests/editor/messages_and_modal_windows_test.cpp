// The program's messages and modal windows as the user meets them: every box
// carries the application's title, one shown before start-up too, and while
// the 3-D view (which stays on top) is shown, every message, question and
// modal window belongs to it or to the modal window open in front of it, so
// none opens hidden behind it. Esc leaves the 3-D view open. A box's text
// stays inside it.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QWindow>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editor/application_title.h"
#include "editor/box_text.h"
#include "editor/dialog_answers.h"
#include "editor/dialogs/archive_dialog.h"
#include "editor/dialogs/preferences_dialog.h"
#include "editor/dialogs/wait_box.h"
#include "editor/main/main_window.h"
#include "editor/main/program_entry.h"
#include "editor/main/windows.h"
#include "editor/output_windows/print_window.h"
#include "editor/output_windows/quote_header_dialog.h"
#include "editor/output_windows/text_window.h"
#include "editor/program_with_a_room.h"
#include "editor/staged_program.h"
#include "editor/view_window/view_3d_window.h"
#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/commands/project_commands.h"
#include "model/files/invalid_outlines.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "output/external_tool.h"
#include "scene3d/viewer/stage_viewer.h"
#include "support/fresh_project.h"
#include "support/long_texts.h"
#include "support/room_outline.h"

namespace {

// What the user saw of a box or modal window: the window it belongs to and its caption.
struct Seen {
  const QWindow* owner = nullptr;
  std::string caption;
  bool shown = false;
};

void note(Seen& seen, const QWidget* window) {
  seen = {window->windowHandle()->transientParent(), window->windowTitle().toStdString(), true};
}

// Notes the next message box and presses one of its buttons.
void answer_box(Seen& seen, QMessageBox::StandardButton button) {
  answer_next<QMessageBox>([&seen, button](QMessageBox* box) {
    note(seen, box);
    box->button(button)->click();
  });
}

// Notes the next modal window of a type and closes it.
template <class Window>
void answer_next_window(Seen& seen) {
  answer_next<Window>([&seen](Window* window) {
    note(seen, window);
    window->reject();
  });
}

// Notes the window once it shows; then runs the steps on it and closes it.
void answer_window(Seen& seen, QDialog* window, const std::function<void()>& steps = {}) {
  answer_when_shown(window, [&seen, window, steps] {
    note(seen, window);
    if (steps) steps();
    window->reject();
  });
}

class ProgramWindows : public ProgramWithARoom {
 protected:
  // The 3-D view opened by its button, as the user opens it.
  void open_3d_view() {
    Main->tool_button(8)->trigger();
    ASSERT_TRUE(F3d->isVisible());
  }
  const QWindow* view() const { return F3d->windowHandle(); }
};

// A message, a Yes/No question and a Yes/No/Cancel question, each answered
// with its last button, as the user saw them.
std::vector<Seen> ask_each_kind() {
  std::vector<Seen> seen(3);
  answer_box(seen[0], QMessageBox::Ok);
  ui().show_message("said");
  answer_box(seen[1], QMessageBox::No);
  EXPECT_FALSE(ui().ask_yes_no("asked"));
  answer_box(seen[2], QMessageBox::Cancel);
  EXPECT_EQ(ui().ask_yes_no_cancel("asked"), Answer::Cancel);
  return seen;
}

TEST_F(ProgramWindows, MessagesAndQuestionsCarryTheApplicationsTitle) {
  for (const Seen& box : ask_each_kind()) EXPECT_EQ(box.caption, "Rackwright V1.12");
  EXPECT_EQ(QApplication::applicationName(), "editor_test") << "the desktop's name for the program stays";
}

// Under a window manager a title with no room beside the frame's icon and
// buttons is cut ("Rack... V1.12"): every box, however short its text, leaves
// that room.
TEST_F(ProgramWindows, EveryBoxIsWideEnoughForItsTitle) {
  constexpr int kFrameIconAndButtons = 100;
  std::string value;
  const std::vector<std::pair<std::string, std::function<void()>>> boxes = {
      {"message", [] { ui().show_message("Saved"); }},
      {"question", [] { ui().ask_yes_no("Sure?"); }},
      {"three-way question", [] { ui().ask_yes_no_cancel("Save?"); }},
      {"input box", [&value] { ui().input_query("Rackwright V1.12", "N", value); }},
  };
  for (const auto& [name, ask] : boxes) {
    int width = 0, title_width = 0;
    answer_once_shown([] { return QApplication::activeModalWidget(); },
                      [&](QWidget* box) {
                        QFont bold = box->font();
                        bold.setBold(true);
                        title_width = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
                        width = box->width();
                        static_cast<QDialog*>(box)->reject();
                      });
    ask();
    EXPECT_GT(title_width, 0) << name;
    EXPECT_GE(width, title_width + kFrameIconAndButtons) << name;
  }
}

// A caption longer than the screen is cut all the same: the box stays on the screen.
TEST_F(ProgramWindows, ABoxWithAnAbsurdlyLongCaptionStaysOnTheScreen) {
  int width = 0, screen_width = 0;
  answer_next<QInputDialog>([&](QInputDialog* box) {
    width = box->width();
    screen_width = box->screen()->availableGeometry().width();
    box->reject();
  });
  std::string value;
  ui().input_query(std::string(1000, 'W'), "N", value);
  EXPECT_GT(width, 0);
  EXPECT_LE(width, screen_width);
}

// The input box of a cell's new name takes the longest name the project file
// reads back whole.
TEST_F(ProgramWindows, TheNewNameOfACellTakesWhatTheProjectFileReadsBack) {
  const std::string name = czech_note(4400);
  std::string shown;
  answer_next<QInputDialog>([&](QInputDialog* box) {
    auto* line = box->findChild<QLineEdit*>();
    line->selectAll();
    line->insert(QString::fromStdString(name));
    shown = line->text().toStdString();
    box->accept();
  });
  rename_current_cell();
  EXPECT_TRUE(shown == cut_text(name, kTextBytes));
  EXPECT_TRUE(current_cell().name == shown);
}

// The box of a default user file that cannot be installed comes before the
// start-up routine: it carries the title all the same.
TEST(ProgramEntry, ABoxBeforeStartUpCarriesTheApplicationsTitle) {
  StagedProgramDir folder;
  std::filesystem::remove_all(folder.path() / "user");
  write_file_safely((folder.path() / "user").string(), "a file where the folder should be");
  set_application_title({});  // as in a program just started
  Seen box, missing_preferences;
  answer_next<QMessageBox>([&](QMessageBox* shown) {
    note(box, shown);
    answer_box(missing_preferences, QMessageBox::Ok);
    shown->button(QMessageBox::Ok)->click();
  });
  EXPECT_FALSE(start_program(""));  // without the preferences the program ends
  destroy_windows();
  reset_open_project();
  EXPECT_TRUE(missing_preferences.shown);
  EXPECT_EQ(box.caption, "Rackwright V1.12");
}

// A cell's name quoted in a message, however long and without a space to
// wrap at, stays inside the box: it breaks where the box's lines end, every
// letter of it shown, and a copy of the box holds it as it stands.
TEST_F(ProgramWindows, ALongCellNameInAMessageStaysInsideTheBox) {
  std::string name;
  while (name.size() < 255) name += "Magazzino";
  name.resize(255);
  Cells = {room_with_a_turned_normal(name)};
  QString shown, copied;
  int text_width = 0, label_width = 0;
  answer_next<QMessageBox>([&](QMessageBox* box) {
    auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    shown = box_text_as_written(*box);
    text_width =
        label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 100000), Qt::TextWordWrap, label->text()).width();
    label_width = box->rect().contains(label->geometry()) ? label->width() : 0;
    // The user selects the quoted name and copies it.
    const QString document = label->findChild<QTextDocument*>()->toPlainText();
    const auto opening = document.indexOf('"');
    label->setSelection(static_cast<int>(opening), static_cast<int>(document.lastIndexOf('"') - opening + 1));
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    QApplication::processEvents();
    copied = QApplication::clipboard()->text();
    box->button(QMessageBox::Ok)->click();
  });
  say_invalid_outlines("prv00001.cel");
  const QString quoted = QString::fromStdString('"' + name + '"');
  EXPECT_TRUE(shown.contains(quoted));
  EXPECT_EQ(copied, quoted);
  EXPECT_LE(text_width, label_width) << "the text within its label, the label within the box";
}

TEST_F(ProgramWindows, EveryBoxAndFileDialogOpensOnTheShown3dView) {
  open_3d_view();
  std::vector<Seen> seen = ask_each_kind();
  Seen input, file;
  answer_next_window<QInputDialog>(input);
  std::string value = "typed";
  EXPECT_FALSE(ui().input_query("caption", "prompt", value));
  answer_next_window<QFileDialog>(file);
  std::string path;
  EXPECT_FALSE(ui().ask_open_file_name("caption", "*.cel", path));
  seen.insert(seen.end(), {input, file});
  for (const Seen& window : seen) {
    EXPECT_TRUE(window.shown);
    EXPECT_EQ(window.owner, view());
  }
  // The wait box of printing and mail is no modal window, but a message all the same.
  ui().show_wait_box();
  EXPECT_EQ(Fattendere->windowHandle()->transientParent(), view());
  ui().hide_wait_box();
}

// Save asks and then confirms; Exit of a modified project asks: all in front of the view.
TEST_F(ProgramWindows, SavingAndExitingAskInFrontOfThe3dView) {
  open_3d_view();
  Seen question, confirmation;
  answer_next<QMessageBox>([&](QMessageBox* box) {
    note(question, box);
    answer_box(confirmation, QMessageBox::Ok);
    box->button(QMessageBox::Yes)->click();
  });
  Main->tool_button(16)->trigger();
  EXPECT_EQ(question.owner, view());
  EXPECT_TRUE(confirmation.shown);
  EXPECT_EQ(confirmation.owner, view());

  AppState.modified = 1;
  Seen exit_question;
  answer_box(exit_question, QMessageBox::Cancel);
  EXPECT_FALSE(Main->close());
  EXPECT_EQ(exit_question.owner, view());
}

// The print window opens on the view; what it opens in turn (a message, the
// quote header) opens on the print window, still in front of the view. Once
// the view is hidden, the print window is the main window's again.
TEST_F(ProgramWindows, ModalWindowsOpenOnTheViewAndTheirOwnOnThem) {
  open_3d_view();
  Seen print, over_print, header, preferences;
  answer_window(print, Fstampa, [&] {
    answer_box(over_print, QMessageBox::Ok);
    ui().show_message("said");
    answer_window(header, Fpreventivo);
    Fstampa->open_quote_header();
  });
  Main->tool_button(13)->trigger();
  answer_window(preferences, Fpreferenze);
  Main->Opzioni1->trigger();
  EXPECT_EQ(print.owner, view());
  EXPECT_EQ(over_print.owner, Fstampa->windowHandle());
  EXPECT_EQ(header.owner, Fstampa->windowHandle());
  EXPECT_EQ(preferences.owner, view());

  F3d->hide();
  answer_window(print, Fstampa);
  Main->tool_button(13)->trigger();
  EXPECT_EQ(print.owner, Main->windowHandle());
}

TEST_F(ProgramWindows, EscLeavesThe3dViewOpen) {
  open_3d_view();
  QTest::keyClick(F3d, Qt::Key_Escape);
  EXPECT_TRUE(F3d->isVisible());
  QTest::keyClick(&F3d->viewer(), Qt::Key_Escape);
  EXPECT_TRUE(F3d->isVisible());
}

// Qt's own translation of its texts into a language, as the scripts install it.
std::string qt_translation(const char* language) {
  return (QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_" + language + ".qm").toStdString();
}

// The buttons of a Yes/No/Cancel question and of the input box, as the user reads them.
std::vector<std::string> standard_buttons() {
  std::vector<std::string> texts;
  answer_next<QMessageBox>([&texts](QMessageBox* box) {
    for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
      texts.push_back(box->button(button)->text().toStdString());
    box->button(QMessageBox::Cancel)->click();
  });
  ui().ask_yes_no_cancel("?");
  answer_next<QInputDialog>([&texts](QInputDialog* box) {
    texts.push_back(box->cancelButtonText().toStdString());
    box->reject();
  });
  std::string value;
  ui().input_query("?", "?", value);
  return texts;
}

// The Cancel buttons of the windows made once at start.
std::vector<std::string> windows_cancel_buttons() {
  return {Fapri->BitBtn3->text().toStdString(), Fpreventivo->BitBtn2->text().toStdString(),
          FormTxt->BitBtn2->text().toStdString()};
}

void choose_language(int index) {
  Fpreferenze->show();
  Fpreferenze->ComboBox2->setCurrentIndex(index);
  Fpreferenze->BitBtn2->click();
  QCoreApplication::processEvents();  // the windows made before hear of the change
}

// Qt's standard buttons speak the language in use, from the start and after a
// change, and so do the program's own Cancel buttons; the keys follow ("&Sì": S).
TEST_F(ProgramWindows, TheStandardButtonsSpeakTheLanguageInUse) {
  SKIP_OR_FAIL_WITHOUT_FILE(qt_translation("it").c_str(), R_OK);
  SKIP_OR_FAIL_WITHOUT_FILE(qt_translation("cs").c_str(), R_OK);
  using Texts = std::vector<std::string>;
  EXPECT_EQ(standard_buttons(), (Texts{"&Sì", "&No", "Annulla", "Annulla"}));
  EXPECT_EQ(windows_cancel_buttons(), Texts(3, "Annulla"));
  QFileDialog* picture_dialog = Main->OpenPictureDialog1();  // made in Italian, kept for the run

  choose_language(6);
  EXPECT_EQ(standard_buttons(), (Texts{"&Ano", "&Ne", "Zrušit", "Zrušit"}));
  EXPECT_EQ(windows_cancel_buttons(), Texts(3, lang_text(88)));
  EXPECT_EQ(picture_dialog->labelText(QFileDialog::FileType).toStdString(), "Soubory typu:");

  choose_language(1);  // English: Qt's own texts
  EXPECT_EQ(standard_buttons(), (Texts{"&Yes", "&No", "Cancel", "Cancel"}));
  EXPECT_EQ(windows_cancel_buttons(), Texts(3, "Cancel"));
}

}  // namespace
