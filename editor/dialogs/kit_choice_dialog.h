// The kit choice dialog of the compact line: a ready-made kit by width and
// length from the kit tables. A match shows its code and loads it into the
// compact-block template; OK then turns block placement on. Closing the
// window is Cancel. Its texts are not translated.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "model/modules/kit_choice_form.h"

class TFSelezioneKitCV : public QDialog {
  Q_OBJECT

  KitChoiceForm form_;

 public:
  explicit TFSelezioneKitCV(QWidget* parent);

  // The chosen kit's code; empty when none (or cancelled).
  const std::string& SelectedKitCode = form_.kit_code;

  QComboBox* ComboBox1;  // width
  QComboBox* ComboBox2;  // length
  QLabel* Label3;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ComboBox1Change();
  void BitBtn1Click();
};
