// The forced module lengths dialog: one row per bay of the wall whose index
// is in Tag, each choosing a catalogue length, with the starting total, the
// new total and their difference (red when longer, blue when shorter). OK
// forces the chosen lengths, "Rimuovi" returns the wall to automatic
// lengths, Abort changes nothing. Its texts are not translated.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <vector>

#include "model/layout/forced_lengths.h"

class TFforza : public QDialog {
  Q_OBJECT

 public:
  explicit TFforza(QWidget* parent);

  int Tag = -1;  // the wall whose lengths are forced

  QScrollArea* ScrollBox1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QPushButton* BitBtn1;
  QPushButton* BitBtn3;
  QPushButton* BitBtn2;

  // The rows' length lists, in bay order.
  const std::vector<QComboBox*>& rows() const { return combos_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  void ComboBoxChange();
  void BitBtn1Click();
  void BitBtn3Click();
  // A length in the display unit.
  static QString shown(double mm);

  ForcedLengthsForm form_;
  std::vector<QComboBox*> combos_;
  std::vector<QLabel*> labels_;
};
