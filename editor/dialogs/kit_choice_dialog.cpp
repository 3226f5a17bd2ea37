#include "editor/dialogs/kit_choice_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "model/modules/kit_choice.h"
#include "model/state/globals.h"

TFSelezioneKitCV::TFSelezioneKitCV(QWidget* parent) : QDialog(parent) {
  setObjectName("FSelezioneKitCV");
  setWindowTitle("Selezione Kit Corvane");
  ComboBox1 = new QComboBox;
  ComboBox2 = new QComboBox;
  for (QComboBox* combo : {ComboBox1, ComboBox2}) combo->setMinimumWidth(140);
  Label3 = new QLabel("--");
  QFont bold = Label3->font();
  bold.setBold(true);
  Label3->setFont(bold);
  BitBtn1 = ok_button(this);
  BitBtn2 = cancel_button(this);
  auto* form = new QFormLayout(this);
  form->addRow("Larghezza", ComboBox1);
  form->addRow("Lunghezza", ComboBox2);
  form->addRow("Kit", Label3);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  form->addRow(buttons);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFSelezioneKitCV::ComboBox1Change);
  connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TFSelezioneKitCV::ComboBox1Change);
  connect(BitBtn1, &QPushButton::clicked, this, &TFSelezioneKitCV::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TFSelezioneKitCV::reject);
}

// The lists are filled on the first opening only.
void TFSelezioneKitCV::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (ComboBox1->count() > 0) {
    ComboBox1Change();  // the lists keep the last choice, and so does the template
    return;
  }
  QSignalBlocker widths(ComboBox1), lengths(ComboBox2);
  for (const std::string& item : kit_width_items()) ComboBox1->addItem(QString::fromStdString(item));
  for (const std::string& item : kit_length_items()) ComboBox2->addItem(QString::fromStdString(item));
  ComboBox1->setCurrentIndex(-1);
  ComboBox2->setCurrentIndex(-1);
  SelectedKitCode.clear();
}

void TFSelezioneKitCV::ComboBox1Change() {
  SelectedKitCode = find_kit_for_size(ComboBox1->currentText().toStdString(), ComboBox2->currentText().toStdString());
  Label3->setText(SelectedKitCode.empty() ? "--" : QString::fromStdString(SelectedKitCode));
}

void TFSelezioneKitCV::BitBtn1Click() {
  if (SelectedKitCode.empty()) return;
  AppState.place_compact_mode = 1;
  accept();
}

// Cancel, Esc and the window's close button alike: no kit, no placement.
void TFSelezioneKitCV::reject() {
  SelectedKitCode.clear();
  AppState.place_compact_mode = 0;
  QDialog::reject();
}
