// The added-module dialog: length, depth, height and shelf count of the free
// module to be placed. OK fills the placement template and turns placement
// on; the main window then places copies with the mouse.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/modules/added_module.h"
#include "model/text/translated_window.h"

class TFmodulo_aggiunto : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFmodulo_aggiunto(QWidget* parent);
  void apply_language() override;

  // Refills the size lists from the catalogue in the current unit and
  // chooses the default sizes and four shelves.
  void fill_module_dialog();

  QComboBox* ComboBox1;  // length
  QComboBox* ComboBox2;  // depth
  QComboBox* ComboBox3;  // height
  QLineEdit* Ed_Nr_p;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 private:
  void BitBtn1Click();
};
