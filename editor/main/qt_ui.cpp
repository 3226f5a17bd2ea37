#include "editor/main/qt_ui.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QProcess>
#include <QProgressBar>

#include "editor/dialogs/archive_dialog.h"
#include "editor/dialogs/language_dialog.h"
#include "editor/dialogs/wait_box.h"
#include "editor/main/main_window.h"
#include "editor/main/windows.h"
#include "editor/message_and_input_boxes.h"
#include "editor/plan/plan_view.h"
#include "editor/qt_lang_text.h"
#include "editor/view_window/view_3d_window.h"
#include "model/layout/cell_walls.h"
#include "model/state/current_cell.h"

namespace {

// The archive rebuilds its list with its own gauge; other work shows the main window's.
QProgressBar* progress_gauge() { return Fapri->isVisible() ? Fapri->Gauge1 : Main->ProgressBar1; }

}  // namespace

void QtModelUi::show_message(const std::string& text) {
  show_box(Main, QMessageBox::Information, qtext(text), QMessageBox::Ok);
}

bool QtModelUi::ask_yes_no(const std::string& text) {
  return show_box(Main, QMessageBox::Question, qtext(text), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer QtModelUi::ask_yes_no_cancel(const std::string& text) {
  auto choice =
      show_box(Main, QMessageBox::Question, qtext(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (choice == QMessageBox::Yes) return Answer::Yes;
  if (choice == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
}

bool QtModelUi::input_query(const std::string& caption, const std::string& prompt, std::string& value) {
  QString text = qtext(value);
  if (!ask_text(Main, qtext(caption), qtext(prompt), text)) return false;
  value = text.toStdString();
  return true;
}

int QtModelUi::ask_language() {
  Flingua->exec();
  return Flingua->Tag;
}

bool QtModelUi::ask_open_file_name(const std::string& caption, const std::string& filter, std::string& path) {
  QString chosen = QFileDialog::getOpenFileName(Main, qtext(caption), qtext(path), qtext(filter));
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  return true;
}

bool QtModelUi::ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) {
  QString chosen = QFileDialog::getSaveFileName(Main, qtext(caption), qtext(path), qtext(filter));
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  return true;
}

bool QtModelUi::ask_colour(int& rgb) {
  QColor start(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  QColor chosen = QColorDialog::getColor(start, Main);
  if (!chosen.isValid()) return false;
  rgb = chosen.red() + chosen.green() * 256 + chosen.blue() * 65536;
  return true;
}

// The desktop's own opener, as an argument list: a file name or an address is
// never read by a shell.
void QtModelUi::open_with_desktop(const std::string& path_or_address) {
  if (!QProcess::startDetached("xdg-open", {qtext(path_or_address)})) {
    show_message("xdg-open: " + path_or_address);
  }
}

void QtModelUi::beep() { QApplication::beep(); }

void QtModelUi::show_wait_box() { Fattendere->show_now(); }

void QtModelUi::hide_wait_box() { Fattendere->hide(); }

void QtModelUi::progress_begin(int maximum) {
  progress_gauge()->setRange(0, maximum);
  progress_gauge()->setValue(0);
  progress_gauge()->show();
}

void QtModelUi::progress_step(int position) {
  progress_gauge()->setValue(position);
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtModelUi::progress_end() { progress_gauge()->hide(); }

void QtModelUi::set_caption(const std::string& text) { Main->setWindowTitle(qtext(text)); }

void QtModelUi::set_tool_button_down(int button, bool down) {
  if (QAction* action = Main->tool_button(button)) action->setChecked(down);
}

bool QtModelUi::tool_button_down(int button) {
  QAction* action = Main->tool_button(button);
  return action && action->isChecked();
}

void QtModelUi::set_tool_button_enabled(int button, bool enabled) {
  if (QAction* action = Main->tool_button(button)) action->setEnabled(enabled);
}

void QtModelUi::reset_cell_tabs(const std::vector<std::string>& names, int selected) {
  Main->reset_cell_tabs(names, selected);
}

void QtModelUi::refresh_side_panel() { Main->refresh_side_panel(); }

void QtModelUi::draw_plan() { Main->PaintBox1->draw_plan(); }

void QtModelUi::fit_plan_to_view(int margin) { Main->fit_plan_to_view(margin); }

void QtModelUi::rebuild_3d_if_visible() {
  if (F3d->isVisible()) F3d->rebuild_after_edit(current_cell());
}
