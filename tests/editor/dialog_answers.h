// Answers the next modal window of a type as a user would: once the window
// is shown, the given steps run on it (typing, choosing, pressing OK).
#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <functional>
#include <string>

template <class Window>
void answer_next(std::function<void(Window*)> steps) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, steps] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<Window*>(widget);
      if (!window || !window->isVisible()) continue;
      timer->stop();
      timer->deleteLater();
      steps(window);
      return;
    }
  });
  timer->start(5);
}

// Types text into the next input query and confirms it.
inline void answer_input(const std::string& text) {
  answer_next<QInputDialog>([text](QInputDialog* dialog) {
    dialog->setTextValue(QString::fromStdString(text));
    dialog->accept();
  });
}
