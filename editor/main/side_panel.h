// The side panel of the main window (Panel1): the current cell, the selected
// walls and the selected modules. refresh_side_panel copies the panel state of
// the model onto the controls; the controls' handlers read their value and
// call the panel's edits.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "model/commands/side_panel_state.h"

// A check box whose click never lands on the third, partly checked, state,
// which only the program sets.
class TwoStateCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

class SidePanel : public QWidget {
  Q_OBJECT

 public:
  explicit SidePanel(QWidget* parent);

  // Rebuilds every control from the current cell.
  void refresh_side_panel();
  // Captions, hints and the size lists of the loaded language and unit.
  void apply_language();
  // The controls of the compact-shelving line and the fill buttons of the company's market.
  void show_product_controls();

  QGroupBox* Gb_Cella;
  QLabel* Lb_S;
  QLineEdit* Ed_S;
  QLabel* Lb_muro;
  QLineEdit* Ed_muro;
  QLabel* Lb_Tg;
  QComboBox* Cb_Tg;

  QGroupBox* Gb_parete;
  QToolButton* Sb_su;
  QToolButton* Sb_giu;
  QToolButton* Sb_sx;
  QToolButton* Sb_dx;
  TwoStateCheckBox* cb_porta;
  TwoStateCheckBox* cb_quota;
  QLabel* Lb_lp;
  QLineEdit* Ed_lp;
  QLabel* Lb_Nm;
  QLineEdit* Ed_Nm;
  QLabel* Lb_Hm_p;
  QComboBox* Cb_Hm_p;
  QLabel* Lb_Lm_p;
  QComboBox* Cb_Lm_p;
  QLabel* Lb_Nr_p;
  QLineEdit* Ed_Nr_p;
  QLabel* Lb_Di;
  QLineEdit* Ed_Di;
  QLabel* Lb_Df;
  QLineEdit* Ed_Df;
  QLabel* Lb_priorita;
  QToolButton* up_priorita;
  QToolButton* down_priorita;
  QPushButton* SB_forza;
  QPushButton* Bt_auto;
  QPushButton* Bt_autoHeavy;
  QPushButton* Bt_autoEco;

  QGroupBox* Gb_modulo;
  QLabel* Lb_Hm_m;
  QComboBox* Cb_Hm_m;
  QLabel* Lb_Lm_m;
  QComboBox* Cb_Lm_m;
  QLabel* Lb_Nr_m;
  QLineEdit* Ed_Nr_m;
  QPushButton* Sb_edita_moduli;
  QLabel* Label5;
  TwoStateCheckBox* qn;
  TwoStateCheckBox* qs;
  TwoStateCheckBox* qe;
  TwoStateCheckBox* qo;
  TwoStateCheckBox* cbCarrello;

 private:
  void build_cell_group();
  void build_wall_group();
  void build_module_group();
  void connect_handlers();
  void show_state(const SidePanelState& state);

  // Handlers of the controls.
  void Ed_lpKeyDown();
  void Ed_NmKeyDown();
  void Ed_Nr_pKeyDown();
  void Cb_Hm_pChange(int index);
  void Cb_Lm_pChange(int index);
  void Ed_DiKeyDown();
  void Ed_DfKeyDown();
  void Ed_SKeyDown();
  void Ed_muroKeyDown();
  void cb_portaMouseUp();
  void SB_forzaClick();
  void Cb_Hm_mChange(int index);
  void Ed_Nr_mKeyDown();
  void Cb_Lm_mChange(int index);
  void Sb_edita_moduliClick();

  SidePanelState state_;
};
