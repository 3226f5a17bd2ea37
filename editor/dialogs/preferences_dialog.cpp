#include "editor/dialogs/preferences_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QShortcut>
#include <QVBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/dialogs/password_dialog.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/window_opening.h"
#include "model/base/file_io.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

char decimal_point() { return user_decimal_separator(); }

QColor colour_of(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

TFpreferenze::TFpreferenze(QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel("Altezza max", this)),
      ComboBox1(new QComboBox(this)),
      Label6(new QLabel("Lingua", this)),
      ComboBox2(new QComboBox(this)),
      GroupBox1(new QGroupBox(" 3D ", this)),
      Label2(new QLabel("Colore di sfondo", GroupBox1)),
      Panel1(new QFrame(GroupBox1)),
      Label3(new QLabel("Trasparenza pareti", GroupBox1)),
      TrackBar1(new QSlider(Qt::Horizontal, GroupBox1)),
      Label5(new QLabel("0%", GroupBox1)),
      Label4(new QLabel("Altezza parteti [mm]", GroupBox1)),
      Edit1(new QLineEdit("2000", GroupBox1)),
      RadioGroup1(new RadioGroup("Risoluzione", {"Bassa", "Alta"}, GroupBox1)),
      RadioGroup2(new RadioGroup("Unità di misura", {"mm", "inches"}, this)),
      Label7(new QLabel("Numero cifre decimali", this)),
      SpinEdit1(new QSpinBox(this)),
      CheckBox4(new QCheckBox("Sfondo nero", this)),
      GroupBox2(new QGroupBox(this)),
      CheckBox1(new QCheckBox("Abilita misure opzionali", GroupBox2)),
      CheckBox2(new QCheckBox("Abilita misure opzionali", GroupBox2)),
      CheckBox3(new QCheckBox("Debug", GroupBox2)),
      CheckBox5(new QCheckBox("Stampa carichi massimi", GroupBox2)),
      BitBtn2(new QPushButton("OK", this)),
      BitBtn1(new QPushButton("Annulla", this)),
      BitBtn3(new QPushButton("Salva", this)) {
  setWindowTitle("Preferenze");
  ComboBox2->addItems({"Italiano", "English", "Français", "Deutsch", "Español", "Dutch", "Czech", "Polski"});
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Sunken);
  Panel1->setAutoFillBackground(true);
  Panel1->setMinimumSize(60, 24);
  Panel1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  Panel1->installEventFilter(this);
  TrackBar1->setRange(0, 100);
  TrackBar1->setPageStep(10);
  TrackBar1->setTickInterval(10);
  TrackBar1->setTickPosition(QSlider::TicksBelow);
  TrackBar1->setMinimumWidth(160);
  Edit1->installEventFilter(this);
  SpinEdit1->setRange(0, kMostDecimalsShown);
  CheckBox5->setChecked(true);
  GroupBox2->setVisible(false);
  BitBtn2->setDefault(true);
  build_layout();

  guarded_connect(TrackBar1, &QSlider::valueChanged, this, &TFpreferenze::TrackBar1Change);
  guarded_connect(Edit1, &QLineEdit::textEdited, this, [this] { form_.wall_height_edited = true; });
  guarded_connect(CheckBox1, &QCheckBox::clicked, this,
                  [this](bool checked) { ServiceSwitchClick(CheckBox1, checked); });
  guarded_connect(CheckBox2, &QCheckBox::clicked, this,
                  [this](bool checked) { ServiceSwitchClick(CheckBox2, checked); });
  guarded_connect(RadioGroup2, &RadioGroup::clicked_item, this, &TFpreferenze::RadioGroup2Click);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &TFpreferenze::BitBtn2Click);
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
  guarded_connect(BitBtn3, &QPushButton::clicked, this, &TFpreferenze::BitBtn3Click);
  auto* reveal = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F12), this);
  guarded_connect(reveal, &QShortcut::activated, GroupBox2, [this] { GroupBox2->setVisible(true); });
}

void TFpreferenze::build_layout() {
  auto* three_d = new QGridLayout(GroupBox1);
  three_d->addWidget(Label2, 0, 0);
  three_d->addWidget(Panel1, 0, 1, 1, 2);
  three_d->addWidget(Label3, 1, 0);
  three_d->addWidget(TrackBar1, 1, 1);
  three_d->addWidget(Label5, 1, 2);
  three_d->addWidget(Label4, 2, 0);
  three_d->addWidget(Edit1, 2, 1, 1, 2);
  three_d->addWidget(RadioGroup1, 3, 0, 1, 3);
  three_d->setColumnStretch(1, 1);
  three_d->setRowStretch(4, 1);
  Label5->setMinimumWidth(Label5->fontMetrics().horizontalAdvance("100%") + 4);

  auto* service = new QVBoxLayout(GroupBox2);
  for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox5}) service->addWidget(box);

  auto* general = new QGridLayout;
  general->addWidget(Label6, 0, 0);
  general->addWidget(ComboBox2, 0, 1);
  general->addWidget(Label1, 1, 0);
  general->addWidget(ComboBox1, 1, 1);
  general->addWidget(Label7, 2, 0);
  general->addWidget(SpinEdit1, 2, 1);
  general->addWidget(CheckBox4, 3, 0, 1, 2);
  general->setColumnStretch(1, 1);

  auto* left = new QVBoxLayout;
  left->addLayout(general);
  left->addWidget(RadioGroup2);
  left->addWidget(GroupBox2);
  left->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addWidget(GroupBox1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {BitBtn2, BitBtn1, BitBtn3}) buttons->addWidget(button);

  auto* whole = new QVBoxLayout(this);
  whole->addLayout(columns);
  whole->addLayout(buttons);
  set_tab_order();
  opens_on(ComboBox2);
}

// Down the left column, then the 3-D group, then the buttons.
void TFpreferenze::set_tab_order() {
  std::vector<QWidget*> order = {ComboBox2, ComboBox1, SpinEdit1, CheckBox4};
  for (QAbstractButton* item : RadioGroup2->item_buttons()) order.push_back(item);
  order.insert(order.end(), {CheckBox1, CheckBox2, CheckBox3, CheckBox5, TrackBar1, Edit1});
  for (QAbstractButton* item : RadioGroup1->item_buttons()) order.push_back(item);
  order.insert(order.end(), {BitBtn2, BitBtn1, BitBtn3});
  tab_order(order);
}

void TFpreferenze::apply_language() {
  setWindowTitle(qt_lang_text(text::preferences));
  Label1->setText(qt_lang_text(text::largest_module_length));
  BitBtn2->setText(qt_lang_text(text::ok));
  BitBtn1->setText(qt_lang_text(text::cancel));
  BitBtn3->setText(qt_lang_text(text::save));
  Label2->setText(qt_lang_text(text::background_colour_3d));
  Label3->setText(qt_lang_text(text::wall_transparency));
  Label6->setText(qt_lang_text(text::language));
  GroupBox2->setTitle(qt_lang_text(text::service_group));
  CheckBox1->setText(qt_lang_text(text::optional_sizes));
  CheckBox2->setText(qt_lang_text(text::compact_line));
  RadioGroup1->setTitle(qt_lang_text(text::resolution_3d));
  RadioGroup1->set_items({qt_lang_text(text::resolution_low), qt_lang_text(text::resolution_high)});
  RadioGroup1->set_item_index(AppState.resolution_3d);
  set_tab_order();  // the resolution's buttons are new
  RadioGroup2->setTitle(qt_lang_text(text::units));
  Label7->setText(qt_lang_text(text::decimals));
  CheckBox4->setText(qt_lang_text(text::black_background));
  form_.inches = AppState.inches;
  show_wall_height_label();
}

void TFpreferenze::showEvent(QShowEvent* event) {
  if (opens_the_window(*event)) FormActivate();
  QDialog::showEvent(event);
}

void TFpreferenze::FormActivate() {
  form_ = load_preferences_form(decimal_point());
  fill_max_lengths();
  ComboBox2->setCurrentIndex(form_.language);
  show_panel_colour();
  TrackBar1->setValue(form_.wall_transparency);
  TrackBar1Change(form_.wall_transparency);
  Edit1->setText(QString::fromStdString(form_.wall_height_text));
  RadioGroup1->set_item_index(form_.resolution_3d);
  RadioGroup2->set_item_index(form_.inches ? 1 : 0);
  show_wall_height_label();
  SpinEdit1->setValue(form_.decimals);
  CheckBox4->setChecked(form_.black_background);
  CheckBox1->setChecked(form_.optional_sizes);
  CheckBox2->setChecked(form_.product_switch);
  CheckBox5->setChecked(form_.print_max_loads);
  // The debug switch keeps what it showed last; the service group, once shown, stays.
  if (form_.optional_sizes) GroupBox2->setVisible(true);
}

void TFpreferenze::fill_max_lengths() {
  ComboBox1->clear();
  for (const std::string& item : max_length_items(form_, decimal_point()))
    ComboBox1->addItem(QString::fromStdString(item));
  ComboBox1->setCurrentIndex(form_.max_length_index);
}

void TFpreferenze::show_panel_colour() {
  QPalette palette = Panel1->palette();
  palette.setColor(QPalette::Window, colour_of(form_.background_3d));
  Panel1->setPalette(palette);
}

void TFpreferenze::show_wall_height_label() {
  Label4->setText(qt_lang_text(text::wall_height_3d) + (form_.inches ? " [in]" : " [mm]"));
}

bool TFpreferenze::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::MouseButtonDblClick) {
    Panel1DblClick();
    return true;
  }
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    // Only digits reach the wall height, and in inches a decimal mark;
    // editing keys (Backspace, arrows, Delete) carry no text and pass.
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (!typed.isEmpty() && typed.at(0).isPrint()) {
      const QChar c = typed.at(0);
      return !(c.isDigit() || (form_.inches && (c == '.' || c == ',')));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFpreferenze::Panel1DblClick() {
  if (ui().ask_colour(form_.background_3d)) show_panel_colour();
}

void TFpreferenze::TrackBar1Change(int position) { Label5->setText(QString::number(position) + "%"); }

void TFpreferenze::ServiceSwitchClick(QCheckBox* box, bool checked) {
  if (checked) box->setChecked(password_dialog && password_dialog->confirm_service_password());
  // The optional sizes change the lengths the largest-length choice offers.
  if (box != CheckBox1) return;
  form_.max_length_index = ComboBox1->currentIndex();
  try {
    switch_form_optional_sizes(form_, CheckBox1->isChecked());
  } catch (const FileError& error) {
    ui().show_message(error.what());
    CheckBox1->setChecked(form_.optional_sizes);
  }
  fill_max_lengths();
}

void TFpreferenze::RadioGroup2Click(int index) {
  form_.max_length_index = ComboBox1->currentIndex();
  form_.wall_height_text = Edit1->text().toStdString();
  try {
    switch_form_unit(form_, index == 1, decimal_point());
  } catch (const FileError& error) {
    ui().show_message(error.what());
    RadioGroup2->set_item_index(form_.inches ? 1 : 0);
  }
  Edit1->setText(QString::fromStdString(form_.wall_height_text));
  fill_max_lengths();
  show_wall_height_label();
}

PreferencesForm TFpreferenze::read_form() {
  PreferencesForm form = form_;
  form.language = ComboBox2->currentIndex();
  form.optional_sizes = CheckBox1->isChecked();
  form.product_switch = CheckBox2->isChecked();
  form.debug = CheckBox3->isChecked();
  form.max_length_index = ComboBox1->currentIndex();
  form.wall_transparency = TrackBar1->value();
  form.resolution_3d = RadioGroup1->item_index();
  form.decimals = SpinEdit1->value();
  form.black_background = CheckBox4->isChecked();
  form.print_max_loads = CheckBox5->isChecked();
  form.wall_height_text = Edit1->text().toStdString();
  return form;
}

void TFpreferenze::rerun_startup() {
  try {
    reload_catalogue_and_language();
  } catch (const FileError& error) {
    ui().show_message(error.what());
  }
  if (refresh_windows) refresh_windows();
}

void TFpreferenze::BitBtn2Click() {
  try {
    // A refused field leaves the dialog open, with nothing applied.
    if (!apply_preferences(read_form())) return;
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return;
  }
  rerun_startup();
  accept();
}

void TFpreferenze::BitBtn3Click() {
  const bool catalogue_changed =
      form_.inches != AppState.inches || form_.optional_sizes != (AppState.optional_sizes == 1);
  try {
    if (!save_preferences(read_form())) return;
  } catch (const FileError& error) {
    ui().show_message(error.what());
  }
  // The catalogue and every size list depend on the unit and the optional
  // sizes: they follow them at once.
  if (catalogue_changed) rerun_startup();
  // What was just applied is the dialog's new starting point.
  form_ = load_preferences_form(decimal_point());
  Edit1->setText(QString::fromStdString(form_.wall_height_text));
  fill_max_lengths();
}
