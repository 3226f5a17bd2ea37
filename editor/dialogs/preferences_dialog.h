// The preferences dialog: language, largest module length, 3-D settings,
// units, decimals, plan background and the hidden service group (revealed by
// Ctrl+F12, its switches guarded by the service password). The widgets are
// loaded from AppState on opening and copied into a PreferencesForm, which
// the model applies on OK or "Salva"; "Annulla" changes nothing.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <functional>

#include "editor/dialogs/radio_group.h"
#include "model/files/preferences_form.h"
#include "model/text/translated_window.h"

class TPasswordDlg;

class TFpreferenze : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFpreferenze(QWidget* parent = nullptr);
  void apply_language() override;

  // The prompt of the service switches (a window of its own, made later).
  TPasswordDlg* password_dialog = nullptr;
  // What else of the start-up runs again once the preferences are applied:
  // every translated window's texts and lists (this one's too), the
  // compact-line controls, the added-module lists.
  std::function<void()> refresh_windows;

  QLabel* Label1;
  QComboBox* ComboBox1;
  QLabel* Label6;
  QComboBox* ComboBox2;
  QGroupBox* GroupBox1;
  QLabel* Label2;
  QFrame* Panel1;
  QLabel* Label3;
  QSlider* TrackBar1;
  QLabel* Label5;
  QLabel* Label4;
  QLineEdit* Edit1;
  RadioGroup* RadioGroup1;
  RadioGroup* RadioGroup2;
  QLabel* Label7;
  QSpinBox* SpinEdit1;
  QCheckBox* CheckBox4;
  QGroupBox* GroupBox2;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;
  QCheckBox* CheckBox5;
  QPushButton* BitBtn2;
  QPushButton* BitBtn1;
  QPushButton* BitBtn3;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormActivate();
  void Panel1DblClick();
  void TrackBar1Change(int position);
  void ServiceSwitchClick(QCheckBox* box, bool checked);
  void RadioGroup2Click(int index);
  void BitBtn2Click();
  void BitBtn3Click();

  void build_layout();
  void set_tab_order();
  void show_panel_colour();
  void fill_max_lengths();
  void show_wall_height_label();
  // The form as the widgets show it now.
  PreferencesForm read_form();
  // Reloads the catalogue and the texts and refreshes the other windows.
  void rerun_startup();

  PreferencesForm form_;
};
