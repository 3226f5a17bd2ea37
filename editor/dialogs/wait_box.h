// The wait box of long work: a small centred window without a close box that
// says the program is busy. It is shown without waiting and painted at once,
// because the work that follows keeps the event loop from running.
#pragma once

#include <QDialog>
#include <QLabel>

#include "model/text/translated_window.h"

class TFattendere : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFattendere(QWidget* parent = nullptr);
  void apply_language() override;

  // Shows the box centred on its parent (or the screen) and paints it now.
  void show_now();

  QLabel* Label1;
};
