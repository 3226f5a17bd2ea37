#include "editor/application.h"

#include <exception>

#include "editor/guarded_connection.h"

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    if (event->type() == QEvent::Paint)
      show_failure_later(error);
    else
      show_failure(error);
  }
  return false;
}
