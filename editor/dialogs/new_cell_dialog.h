// The new or copied cell dialog: the name of the new cell and, when asked
// for, the existing cell it copies. OK appends the cell and makes it current.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "model/files/new_cell_form.h"
#include "model/text/translated_window.h"

class TFcopia_cella : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFcopia_cella(QWidget* parent);
  void apply_language() override;

  // Fills the name and the cells to copy from.
  void prepare(const std::string& name, const std::vector<std::string>& cell_names);

  QLabel* Label1;
  QLineEdit* Edit1;
  QCheckBox* CheckBox1;
  QComboBox* ComboBox1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BitBtn1Click();

  NewCellForm form_;
};
