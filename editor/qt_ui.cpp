#include "editor/qt_ui.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

void QtModelUi::show_message(const std::string& text) {
  QMessageBox::information(owner_, QApplication::applicationName(), QString::fromStdString(text));
}

bool QtModelUi::ask_yes_no(const std::string& text) {
  return QMessageBox::question(owner_, QApplication::applicationName(), QString::fromStdString(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer QtModelUi::ask_yes_no_cancel(const std::string& text) {
  auto choice = QMessageBox::question(owner_, QApplication::applicationName(), QString::fromStdString(text),
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (choice == QMessageBox::Yes) return Answer::Yes;
  if (choice == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
}

bool QtModelUi::input_query(const std::string& caption, const std::string& prompt, std::string& value) {
  bool accepted = false;
  QString text = QInputDialog::getText(owner_, QString::fromStdString(caption), QString::fromStdString(prompt),
                                       QLineEdit::Normal, QString::fromStdString(value), &accepted);
  if (accepted) value = text.toStdString();
  return accepted;
}

void QtModelUi::set_caption(const std::string& text) { owner_->setWindowTitle(QString::fromStdString(text)); }

// The language window is not built yet: no choice, as the headless answer.
int QtModelUi::ask_language() { return -1; }

bool QtModelUi::ask_open_file_name(const std::string& caption, const std::string& filter, std::string& path) {
  QString chosen = QFileDialog::getOpenFileName(owner_, QString::fromStdString(caption), QString::fromStdString(path),
                                                QString::fromStdString(filter));
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  return true;
}

bool QtModelUi::ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) {
  QString chosen = QFileDialog::getSaveFileName(owner_, QString::fromStdString(caption), QString::fromStdString(path),
                                                QString::fromStdString(filter));
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  return true;
}

bool QtModelUi::ask_colour(int& rgb) {
  QColor chosen = QColorDialog::getColor(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF), owner_);
  if (!chosen.isValid()) return false;
  rgb = chosen.red() + chosen.green() * 256 + chosen.blue() * 65536;
  return true;
}

// A plain path is a local file; anything with a scheme ("https:", "mailto:") is an address.
void QtModelUi::open_with_desktop(const std::string& path_or_address) {
  QString target = QString::fromStdString(path_or_address);
  QUrl url(target);
  QDesktopServices::openUrl(url.scheme().size() > 1 ? url : QUrl::fromLocalFile(target));
}
