// The compact-shelving placement dialog: turns the two selected fixed
// modules into the ends of a compact group and places one to eight mobile
// units between them, packed against the chosen end. It shows the overall
// size and the corridor left ("ERR" when too narrow, and OK is refused).
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <vector>

#include "model/modules/compact_placement.h"
#include "model/text/translated_window.h"

class TFcorvane : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFcorvane(QWidget* parent);
  void apply_language() override;

  // Loads the kit tables and resets the shelf count.
  void load_kit_lists();
  // The two modules that passed the pair check, before the dialog opens.
  void set_ends(const Tmodulo& end_a, const Tmodulo& end_b);

  QLabel* Label8;
  QLineEdit* Ed_Nr_m;
  QLabel* Label11;
  QComboBox* cb_Nmobili;
  QLabel* Label10;
  QScrollArea* ScrollBox1;
  QLabel* Label12;
  QLineEdit* Ed_ingombro;
  QLabel* Label13;
  QLineEdit* Ed_corridoio;
  QGroupBox* GroupBox1;
  QRadioButton* rbAlto;
  QRadioButton* rbBasso;
  QRadioButton* rbSinistra;
  QRadioButton* rbDestra;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

  // The mobile units' depth lists, in unit order.
  const std::vector<QComboBox*>& depth_lists() const { return UnitDepthCombos; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void prepare_mobile_dialog();
  void update_corridor();
  void BitBtn1Click();

  CompactPlacementForm form_;
  std::vector<QComboBox*> UnitDepthCombos;
};
