// The first-run language choice: eight languages in their own words, each with
// its flag. The dialog has no close box, so OK with a language chosen is the
// only way out; the chosen index (0..7) is left in Tag.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

class TFlingua : public QDialog {
  Q_OBJECT

 public:
  explicit TFlingua(QWidget* parent);

  int Tag = -1;  // the chosen language index, -1 while none is chosen

  QLabel* Label1;
  QLabel* Label2;
  std::array<QRadioButton*, 8> radio_buttons;  // RadioButton1 .. RadioButton8
  std::array<QLabel*, 8> images;               // Image1 .. Image8, the flags
  QPushButton* BitBtn1;

  void BitBtn1Click();

 protected:
  // Every opening starts afresh: a choice refused before must not stay
  // checked, nor let the frame close the dialog with it. A restore after a
  // minimise keeps the choice (window_opening.h).
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};
