// The main window of the program.
#pragma once

#include <QMainWindow>

class TMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMain(QWidget* parent = nullptr);
};
