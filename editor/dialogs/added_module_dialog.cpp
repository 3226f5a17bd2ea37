#include "editor/dialogs/added_module_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "model/state/globals.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

void fill(QComboBox* combo, const Tdimensioni& values, SizeKind kind, int chosen) {
  combo->clear();
  for (const std::string& item : size_items(values, kind, AppState, user_decimal_separator()))
    combo->addItem(QString::fromStdString(item));
  combo->setCurrentIndex(chosen);
}

}  // namespace

TFmodulo_aggiunto::TFmodulo_aggiunto(QWidget* parent) : QDialog(parent) {
  setObjectName("Fmodulo_aggiunto");
  setWindowTitle("Modulo aggiunto");
  ComboBox1 = new QComboBox;
  ComboBox2 = new QComboBox;
  ComboBox3 = new QComboBox;
  for (QComboBox* combo : {ComboBox1, ComboBox2, ComboBox3}) {
    combo->setMaxVisibleItems(20);
    combo->setMinimumWidth(120);
  }
  Ed_Nr_p = new QLineEdit("4");
  Label1 = new QLabel("Lunghezza");
  Label2 = new QLabel("Profondità");
  Label3 = new QLabel("Altezza");
  Label4 = new QLabel("Numero ripiani");
  BitBtn1 = ok_button(this);
  BitBtn2 = cancel_button(this);
  auto* form = new QFormLayout(this);
  form->addRow(Label1, ComboBox1);
  form->addRow(Label2, ComboBox2);
  form->addRow(Label3, ComboBox3);
  form->addRow(Label4, Ed_Nr_p);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  form->addRow(buttons);
  tab_order({ComboBox1, ComboBox2, ComboBox3, Ed_Nr_p, BitBtn1, BitBtn2});
  opens_on(ComboBox1);
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &TFmodulo_aggiunto::BitBtn1Click);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFmodulo_aggiunto::apply_language() {
  setWindowTitle(qt_lang_text(text::added_module));
  for (auto [label, text] : {std::pair{Label1, text::added_module_length},
                             {Label2, text::added_module_depth},
                             {Label3, text::added_module_height},
                             {Label4, text::shelf_count}})
    label->setText(qt_lang_text(text));
}

void TFmodulo_aggiunto::fill_module_dialog() {
  const AddedModuleForm defaults = added_module_form(AppState, user_decimal_separator());
  fill(ComboBox1, LengthList, SizeKind::Length, defaults.length);
  fill(ComboBox2, WidthList, SizeKind::Depth, defaults.depth);
  fill(ComboBox3, HeightList, SizeKind::Height, defaults.height);
  Ed_Nr_p->setText(QString::fromStdString(defaults.shelves));
}

void TFmodulo_aggiunto::BitBtn1Click() {
  const AddedModuleForm form{ComboBox1->currentIndex(), ComboBox2->currentIndex(), ComboBox3->currentIndex(),
                             Ed_Nr_p->text().trimmed().toStdString()};
  if (apply_added_module_form(form)) accept();
}
