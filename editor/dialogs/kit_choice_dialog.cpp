#include "editor/dialogs/kit_choice_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/window_opening.h"

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
  tab_order({ComboBox1, ComboBox2, BitBtn1, BitBtn2});
  opens_on(ComboBox1);
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFSelezioneKitCV::ComboBox1Change);
  connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TFSelezioneKitCV::ComboBox1Change);
  connect(BitBtn1, &QPushButton::clicked, this, &TFSelezioneKitCV::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TFSelezioneKitCV::reject);
}

// The lists are filled on the first opening only.
void TFSelezioneKitCV::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!opens_the_window(*event)) return;
  if (ComboBox1->count() > 0) {
    ComboBox1Change();  // the lists keep the last choice, and so does the template
    return;
  }
  form_ = kit_choice_form();
  QSignalBlocker widths(ComboBox1), lengths(ComboBox2);
  for (const std::string& item : form_.widths) ComboBox1->addItem(QString::fromStdString(item));
  for (const std::string& item : form_.lengths) ComboBox2->addItem(QString::fromStdString(item));
  ComboBox1->setCurrentIndex(-1);
  ComboBox2->setCurrentIndex(-1);
}

void TFSelezioneKitCV::ComboBox1Change() {
  form_.width = ComboBox1->currentText().toStdString();
  form_.length = ComboBox2->currentText().toStdString();
  choose_kit(form_);
  Label3->setText(form_.kit_code.empty() ? "--" : QString::fromStdString(form_.kit_code));
}

void TFSelezioneKitCV::BitBtn1Click() {
  if (apply_kit_choice(form_)) accept();
}

// Cancel, Esc and the window's close button alike: no kit, no placement.
void TFSelezioneKitCV::reject() {
  cancel_kit_choice(form_);
  QDialog::reject();
}
