#include "editor/qt_ui.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

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
