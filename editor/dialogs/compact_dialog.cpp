#include "editor/dialogs/compact_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/window_opening.h"
#include "model/modules/kit_choice.h"
#include "model/state/globals.h"
#include "model/text/text_numbers.h"

TFcorvane::TFcorvane(QWidget* parent) : QDialog(parent) {
  setObjectName("Fcorvane");
  setWindowTitle("Scaffalature mobili");
  Label8 = new QLabel("Numero ripiani");
  Ed_Nr_m = new QLineEdit("4");
  Label11 = new QLabel("Numero moduli mobili");
  cb_Nmobili = new QComboBox;
  for (int n = 1; n <= kMaxMobileUnits; ++n) cb_Nmobili->addItem(QString::number(n));
  Label10 = new QLabel("Profondità dei moduli mobili");
  ScrollBox1 = new QScrollArea;
  ScrollBox1->setWidgetResizable(true);
  ScrollBox1->setMinimumSize(220, 150);
  // The lists inside take the focus, the frame around them does not.
  ScrollBox1->setFocusPolicy(Qt::NoFocus);
  Label12 = new QLabel("Ingombro");
  Ed_ingombro = new QLineEdit;
  Label13 = new QLabel("Corridoio");
  Ed_corridoio = new QLineEdit;
  for (QLineEdit* edit : {Ed_ingombro, Ed_corridoio}) {
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
  }
  GroupBox1 = new QGroupBox("Compattare verso");
  rbAlto = new QRadioButton("In alto");
  rbBasso = new QRadioButton("In basso");
  rbSinistra = new QRadioButton("A sinistra");
  rbDestra = new QRadioButton("A destra");
  auto* sides = new QGridLayout(GroupBox1);
  sides->addWidget(rbAlto, 0, 0);
  sides->addWidget(rbBasso, 1, 0);
  sides->addWidget(rbSinistra, 0, 1);
  sides->addWidget(rbDestra, 1, 1);
  BitBtn1 = ok_button(this);
  BitBtn2 = cancel_button(this);

  auto* fields = new QFormLayout;
  fields->addRow(Label8, Ed_Nr_m);
  fields->addRow(Label11, cb_Nmobili);
  auto* sizes = new QFormLayout;
  sizes->addRow(Label12, Ed_ingombro);
  sizes->addRow(Label13, Ed_corridoio);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(Label10);
  layout->addWidget(ScrollBox1, 1);
  layout->addLayout(sizes);
  layout->addWidget(GroupBox1);
  layout->addLayout(buttons);
  opens_on(Ed_Nr_m);

  guarded_connect(cb_Nmobili, &QComboBox::currentIndexChanged, this, [this] {
    prepare_mobile_dialog();
    update_corridor();
  });
  guarded_connect(Ed_Nr_m, &QLineEdit::textEdited, this, [this] { update_corridor(); });
  guarded_connect(rbAlto, &QRadioButton::toggled, this, [this](bool on) {
    if (on) form_.side = PackSide::Up;
  });
  guarded_connect(rbBasso, &QRadioButton::toggled, this, [this](bool on) {
    if (on) form_.side = PackSide::Down;
  });
  guarded_connect(rbSinistra, &QRadioButton::toggled, this, [this](bool on) {
    if (on) form_.side = PackSide::Left;
  });
  guarded_connect(rbDestra, &QRadioButton::toggled, this, [this](bool on) {
    if (on) form_.side = PackSide::Right;
  });
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &TFcorvane::BitBtn1Click);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFcorvane::apply_language() {
  setWindowTitle(qt_lang_text(text::added_module));
  Label10->setText(qt_lang_text(text::mobile_unit_depths));
  Label8->setText(qt_lang_text(text::shelf_count));
  Label11->setText(qt_lang_text(text::mobile_unit_count));
  Label12->setText(qt_lang_text(text::overall_size));
  Label13->setText(qt_lang_text(text::aisle));
  GroupBox1->setTitle(qt_lang_text(text::side_group));
  rbAlto->setText(qt_lang_text(text::pack_top));
  rbBasso->setText(qt_lang_text(text::pack_bottom));
  rbSinistra->setText(qt_lang_text(text::pack_left));
  rbDestra->setText(qt_lang_text(text::pack_right));
}

void TFcorvane::load_kit_lists() {
  ::load_kit_lists();
  Ed_Nr_m->setText("4");
  update_corridor();
}

void TFcorvane::set_ends(const Tmodulo& end_a, const Tmodulo& end_b) { form_ = compact_placement_form(end_a, end_b); }

void TFcorvane::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!opens_the_window(*event)) return;
  prepare_mobile_dialog();
  const bool across_y = form_.end_a.orientation != 'V';
  rbAlto->setEnabled(across_y);
  rbBasso->setEnabled(across_y);
  rbSinistra->setEnabled(!across_y);
  rbDestra->setEnabled(!across_y);
  (across_y ? rbAlto : rbSinistra)->setChecked(true);
  update_corridor();
}

void TFcorvane::prepare_mobile_dialog() {
  set_mobile_unit_count(form_, cb_Nmobili->currentIndex() + 1);
  UnitDepthCombos.clear();
  auto* rows = new QWidget;
  auto* grid = new QGridLayout(rows);
  for (std::size_t i = 0; i < form_.depths.size(); ++i) {
    auto* combo = new QComboBox;
    for (double depth : WidthList) combo->addItem(short_number(depth));
    combo->setCurrentIndex(form_.depths[i]);
    combo->setMinimumWidth(100);
    guarded_connect(combo, &QComboBox::activated, this, [this, i](int index) {
      choose_unit_depth(form_, static_cast<int>(i), index);
      for (std::size_t j = i + 1; j < UnitDepthCombos.size(); ++j) UnitDepthCombos[j]->setCurrentIndex(index);
      update_corridor();
    });
    grid->addWidget(new QLabel(QString::number(i + 1)), static_cast<int>(i), 0);
    grid->addWidget(combo, static_cast<int>(i), 1);
    UnitDepthCombos.push_back(combo);
  }
  grid->setRowStretch(static_cast<int>(form_.depths.size()), 1);
  ScrollBox1->setWidget(rows);
  // The new lists in their place in the Tab order, between the count and the sizes.
  std::vector<QWidget*> order = {Ed_Nr_m, cb_Nmobili};
  order.insert(order.end(), UnitDepthCombos.begin(), UnitDepthCombos.end());
  order.insert(order.end(), {Ed_ingombro, Ed_corridoio, rbAlto, rbBasso, rbSinistra, rbDestra, BitBtn1, BitBtn2});
  tab_order(order);
}

void TFcorvane::update_corridor() {
  form_.shelves = Ed_Nr_m->text().trimmed().toStdString();
  Ed_ingombro->setText(short_number(compact_overall_size(form_)));
  const std::optional<double> corridor = compact_corridor(form_);
  Ed_corridoio->setText(corridor ? short_number(*corridor) : "ERR");
}

void TFcorvane::BitBtn1Click() {
  update_corridor();
  if (place_mobile_units(form_)) accept();
}
