#include "editor/guarded_connection.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <string>

#include "editor/message_and_input_boxes.h"
#include "editor/qt_lang_text.h"
#include "model/state/ui_seam.h"

namespace {

void show_text(const std::string& text, QWidget* owner) {
  if (owner)
    show_box(owner, QMessageBox::Information, qtext(text), QMessageBox::Ok);
  else
    ui().show_message(text);
}

}  // namespace

void show_failure(const std::exception& error, QWidget* owner) { show_text(error.what(), owner); }

void show_failure_later(const std::exception& error, QWidget* owner) {
  QObject* context = owner ? static_cast<QObject*>(owner) : qApp;
  QTimer::singleShot(0, context,
                     [text = std::string(error.what()), owner = QPointer<QWidget>(owner)] { show_text(text, owner); });
}

void run_guarded(const std::function<void()>& handler, QWidget* owner) {
  try {
    handler();
  } catch (const std::exception& error) {
    show_failure(error, owner);
  }
}
