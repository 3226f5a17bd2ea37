// Closes the message boxes a window test opens, as a user pressing the default
// button would, and keeps their texts for the test to check.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <string>
#include <vector>

#include "editor/box_text.h"

class MessageBoxCloser {
 public:
  MessageBoxCloser() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box || !box->isVisible()) continue;
        texts.push_back(box_text_as_written(*box).toStdString());
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start(10);
  }

  std::vector<std::string> texts;

 private:
  QTimer timer_;
};
