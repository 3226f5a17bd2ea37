// The door dialog: cuts an opening into the wall whose index is in Tag. It
// shows the wall's length and its three parts (before the opening, the
// opening, after it) laid out like the wall on the plan, left to right or
// top to bottom; the opening starts at 800 mm, centred. Typing a part
// changes the others so the three keep the wall's length; OK splits the wall.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "model/layout/door_split.h"
#include "model/text/translated_window.h"

class TForm2 : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent);
  void apply_language() override;

  int Tag = -1;  // the wall the door goes into

  QLabel* Image1;  // horizontal layout
  QLabel* Label1;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLabel* Image2;  // vertical layout
  QLabel* Label2;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

  // The parts as they stand, mm.
  const DoorForm& form() const { return form_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  // A part (0..2) typed into one of its edits.
  void PartChange(int part, const QLineEdit* edit, const QString& text);
  void BitBtn1Click();
  // Rewrites every part edit but the one being typed into.
  void show_parts(const QLineEdit* typing);
  QLineEdit* make_part_edit(int x, int y, int part);

  DoorForm form_;
  std::array<QLineEdit*, 3> horizontal_{};
  std::array<QLineEdit*, 3> vertical_{};
};
