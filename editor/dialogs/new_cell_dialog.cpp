#include "editor/dialogs/new_cell_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/text_bounds.h"
#include "editor/window_opening.h"
#include "model/base/text_io.h"
#include "model/commands/project_commands.h"
#include "model/files/cell_list.h"
#include "model/text/text_numbers.h"

TFcopia_cella::TFcopia_cella(QWidget* parent) : QDialog(parent) {
  setObjectName("Fcopia_cella");
  setWindowTitle("Nuova cella");
  Label1 = new QLabel("Nome");
  Edit1 = new QLineEdit;
  bound_text_bytes(Edit1, kTextBytes);  // the most a project file reads back
  CheckBox1 = new QCheckBox("Copia cella");
  ComboBox1 = new QComboBox;
  ComboBox1->setMinimumWidth(200);
  BitBtn1 = ok_button(this);
  BitBtn2 = cancel_button(this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Edit1, 0, 1);
  grid->addWidget(CheckBox1, 1, 0, 1, 2);
  grid->addWidget(ComboBox1, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  grid->addLayout(buttons, 3, 0, 1, 2);
  guarded_connect(CheckBox1, &QCheckBox::toggled, ComboBox1, &QWidget::setEnabled);
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &TFcopia_cella::BitBtn1Click);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFcopia_cella::apply_language() {
  setWindowTitle(qt_lang_text(text::new_cell));
  Label1->setText(qt_lang_text(text::new_cell_name));
  CheckBox1->setText(qt_lang_text(text::copy_from_cell));
}

void TFcopia_cella::prepare(const std::string& name, const std::vector<std::string>& cell_names) {
  form_ = new_cell_form(name, cell_names);
  Edit1->setText(QString::fromStdString(form_.name));
  ComboBox1->clear();
  for (const std::string& cell : form_.cells) ComboBox1->addItem(QString::fromStdString(cell));
  ComboBox1->setCurrentIndex(form_.copy_from);
}

void TFcopia_cella::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!opens_the_window(*event)) return;
  form_.copy = false;
  CheckBox1->setChecked(form_.copy);
  ComboBox1->setEnabled(form_.copy);
  Edit1->setFocus();
  Edit1->selectAll();
}

void TFcopia_cella::BitBtn1Click() {
  form_.name = Edit1->text().toStdString();
  form_.copy = CheckBox1->isChecked();
  form_.copy_from = ComboBox1->currentIndex();
  apply_new_cell_form(form_);
  reset_tabs_from_cells();
  accept();
}
