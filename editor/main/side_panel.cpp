#include "editor/main/side_panel.h"

#include <QGridLayout>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/dialogs/door_dialog.h"
#include "editor/dialogs/forced_lengths_dialog.h"
#include "editor/dialogs/shelves_dialog.h"
#include "editor/enter_presses.h"
#include "editor/guarded_connection.h"
#include "editor/main/main_window.h"
#include "editor/main/windows.h"
#include "editor/qt_lang_text.h"
#include "model/base/gst_market.h"
#include "model/base/string_utils.h"
#include "model/catalogue/catalogue.h"
#include "model/commands/side_panel_edits.h"
#include "model/layout/auto_fill.h"
#include "model/layout/cell_walls.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

QLineEdit* edit_box(const char* allowed) {
  auto* edit = new QLineEdit;
  if (allowed) {
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(allowed), edit));
  }
  return edit;
}

// Small arrows: the panel must fit a laptop screen below the tool bar.
QToolButton* arrow(Qt::ArrowType type) {
  auto* button = new QToolButton;
  button->setArrowType(type);
  button->setIconSize(QSize(12, 12));
  return button;
}

// A group's grid with the panel's close rows: the style's margins and spacing
// would make the panel taller than a laptop screen leaves it.
QGridLayout* compact_grid(QGroupBox* group) {
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(6, 2, 6, 4);
  grid->setVerticalSpacing(2);
  return grid;
}

// A row of controls in one cell of a group's grid, spaced as the grid's columns:
// the grid's rows and columns differ, so it hands its rows no spacing.
QHBoxLayout* control_row(const QGridLayout* grid) {
  auto* row = new QHBoxLayout;
  row->setSpacing(grid->horizontalSpacing());
  return row;
}

Qt::CheckState check_state(Tick tick) {
  if (tick == Tick::Checked) return Qt::Checked;
  return tick == Tick::Partly ? Qt::PartiallyChecked : Qt::Unchecked;
}

Tick tick_of(const QCheckBox* box) {
  if (box->checkState() == Qt::Checked) return Tick::Checked;
  return box->checkState() == Qt::PartiallyChecked ? Tick::Partly : Tick::Unchecked;
}

void show_tick(QCheckBox* box, const TickState& state) {
  box->setTristate(state.tick == Tick::Partly);
  box->setCheckState(check_state(state.tick));
  box->setEnabled(state.enabled);
}

void show_field(QLineEdit* edit, QLabel* label, const FieldState& state) {
  edit->setText(QString::fromStdString(state.text));
  edit->setEnabled(state.enabled);
  label->setEnabled(state.enabled);
}

void show_item(QComboBox* combo, QLabel* label, const FieldState& state) {
  combo->setCurrentIndex(state.text.empty() ? -1 : combo->findText(QString::fromStdString(state.text)));
  combo->setEnabled(state.enabled);
  label->setEnabled(state.enabled);
}

// The catalogue sizes, shown in the current unit, each item carrying its value.
void fill_sizes(QComboBox* combo, const Tdimensioni& sizes, bool heights) {
  combo->clear();
  for (double size : sizes) {
    combo->addItem(QString::fromStdString(size_form(size, heights, AppState, user_decimal_separator())), size);
  }
  combo->setCurrentIndex(-1);
}

// The value typed into a box, or nothing with a message when it is not a number.
bool typed_number(const QLineEdit* edit, double& value) {
  if (parse_typed_number(edit->text().toStdString(), value)) return true;
  ui().show_message(lang_text(text::invalid_value));
  return false;
}

bool typed_integer(const QLineEdit* edit, int& value) {
  if (parse_typed_integer(edit->text().toStdString(), value)) return true;
  ui().show_message(lang_text(text::invalid_value));
  return false;
}

// Runs an edit with the value typed into a box, when the box holds text.
void with_integer(const QLineEdit* edit, void (*edit_with)(int)) {
  int value = 0;
  if (!edit->text().isEmpty() && typed_integer(edit, value)) edit_with(value);
}

// A typed length in the current unit, passed on in millimetres.
void with_length(const QLineEdit* edit, void (*edit_with)(double)) {
  double value = 0;
  if (!edit->text().isEmpty() && typed_number(edit, value)) edit_with(value * AppState.unit_factor);
}

void set_hint(const QString& hint, std::initializer_list<QWidget*> widgets) {
  for (QWidget* widget : widgets) widget->setToolTip(hint);
}

}  // namespace

SidePanel::SidePanel(QWidget* parent) : QWidget(parent) {
  build_cell_group();
  build_wall_group();
  build_module_group();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(4);
  layout->addWidget(Gb_Cella);
  layout->addWidget(Gb_parete);
  layout->addWidget(Gb_modulo);
  layout->addStretch();
  connect_handlers();
  setFixedWidth(250);
}

void SidePanel::build_cell_group() {
  Gb_Cella = new QGroupBox(" Cella ");
  auto* grid = compact_grid(Gb_Cella);
  Lb_S = new QLabel("Spazio S (mm)");
  Ed_S = edit_box("[0-9.,]*");
  Lb_muro = new QLabel("Muro (mm)");
  Ed_muro = edit_box("[0-9.,]*");
  Lb_Tg = new QLabel("Tipo");
  Cb_Tg = new QComboBox;
  grid->addWidget(Lb_S, 0, 0);
  grid->addWidget(Ed_S, 0, 1);
  grid->addWidget(Lb_muro, 1, 0);
  grid->addWidget(Ed_muro, 1, 1);
  grid->addWidget(Lb_Tg, 2, 0);
  grid->addWidget(Cb_Tg, 2, 1);
  // The structure type is chosen elsewhere; the list stays in the window for it.
  Lb_Tg->hide();
  Cb_Tg->hide();
}

void SidePanel::build_wall_group() {
  Gb_parete = new QGroupBox(" Pareti (0) ");
  auto* grid = compact_grid(Gb_parete);
  Sb_su = arrow(Qt::UpArrow);
  Sb_giu = arrow(Qt::DownArrow);
  Sb_sx = arrow(Qt::LeftArrow);
  Sb_dx = arrow(Qt::RightArrow);
  auto* arrows = new QGridLayout;
  arrows->setSpacing(0);
  arrows->addWidget(Sb_su, 0, 1);
  arrows->addWidget(Sb_sx, 1, 0);
  arrows->addWidget(Sb_dx, 1, 2);
  arrows->addWidget(Sb_giu, 2, 1);
  cb_porta = new TwoStateCheckBox("Porta");
  cb_quota = new TwoStateCheckBox("Quota");
  auto* boxes = new QVBoxLayout;
  boxes->addWidget(cb_porta);
  boxes->addWidget(cb_quota);
  grid->addLayout(arrows, 0, 0);
  grid->addLayout(boxes, 0, 1);

  Lb_lp = new QLabel("Lunghezza");
  Ed_lp = edit_box("[0-9.,]*");
  Lb_Nm = new QLabel("N. moduli");
  Ed_Nm = edit_box("[0-9]*");
  Lb_Hm_p = new QLabel("Altezza");
  Cb_Hm_p = new QComboBox;
  Lb_Lm_p = new QLabel("Profondità");
  Cb_Lm_p = new QComboBox;
  Lb_Nr_p = new QLabel("N. ripiani");
  Ed_Nr_p = edit_box("[0-9]*");
  Lb_Di = new QLabel("Spazio inizio");
  Ed_Di = edit_box("[-0-9.,]*");
  Lb_Df = new QLabel("Spazio fine");
  Ed_Df = edit_box("[-0-9.,]*");
  const std::pair<QLabel*, QWidget*> rows[] = {{Lb_lp, Ed_lp},     {Lb_Nm, Ed_Nm},     {Lb_Hm_p, Cb_Hm_p},
                                               {Lb_Lm_p, Cb_Lm_p}, {Lb_Nr_p, Ed_Nr_p}, {Lb_Di, Ed_Di},
                                               {Lb_Df, Ed_Df}};
  int row = 1;
  for (auto [label, control] : rows) {
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row++, 1);
  }

  Lb_priorita = new QLabel("Priorità");
  up_priorita = arrow(Qt::UpArrow);
  down_priorita = arrow(Qt::DownArrow);
  auto* priority = control_row(grid);
  priority->addWidget(up_priorita);
  priority->addWidget(down_priorita);
  priority->addStretch();
  grid->addWidget(Lb_priorita, row, 0);
  grid->addLayout(priority, row++, 1);

  SB_forza = new QPushButton("Lunghezze...");
  Bt_auto = new QPushButton("Auto");
  Bt_autoHeavy = new QPushButton("Auto 1100");
  Bt_autoEco = new QPushButton("Auto 1700");
  grid->addWidget(SB_forza, row++, 0, 1, 2);
  auto* fill = control_row(grid);
  fill->addWidget(Bt_auto);
  fill->addWidget(Bt_autoHeavy);
  fill->addWidget(Bt_autoEco);
  grid->addLayout(fill, row, 0, 1, 2);
}

void SidePanel::build_module_group() {
  Gb_modulo = new QGroupBox(" Moduli (0) ");
  auto* grid = compact_grid(Gb_modulo);
  Lb_Hm_m = new QLabel("Altezza");
  Cb_Hm_m = new QComboBox;
  Lb_Lm_m = new QLabel("Profondità");
  Cb_Lm_m = new QComboBox;
  Lb_Nr_m = new QLabel("N. ripiani");
  Ed_Nr_m = edit_box(nullptr);
  Sb_edita_moduli = new QPushButton("Edita...");
  grid->addWidget(Lb_Hm_m, 0, 0);
  grid->addWidget(Cb_Hm_m, 0, 1);
  grid->addWidget(Lb_Lm_m, 1, 0);
  grid->addWidget(Cb_Lm_m, 1, 1);
  grid->addWidget(Lb_Nr_m, 2, 0);
  grid->addWidget(Ed_Nr_m, 2, 1);
  grid->addWidget(Sb_edita_moduli, 3, 0, 1, 2);
  Label5 = new QLabel("Quote e carrello");
  grid->addWidget(Label5, 4, 0, 1, 2);
  qn = new TwoStateCheckBox("N");
  qs = new TwoStateCheckBox("S");
  qe = new TwoStateCheckBox("E");
  qo = new TwoStateCheckBox("O");
  auto* sides = control_row(grid);
  for (QCheckBox* box : {qn, qs, qe, qo}) sides->addWidget(box);
  grid->addLayout(sides, 5, 0, 1, 2);
  cbCarrello = new TwoStateCheckBox("Carrello");
  grid->addWidget(cbCarrello, 6, 0, 1, 2);
}

void SidePanel::connect_handlers() {
  guarded_connect(Ed_lp, &QLineEdit::returnPressed, this, &SidePanel::Ed_lpKeyDown);
  guarded_connect(Ed_Nm, &QLineEdit::returnPressed, this, &SidePanel::Ed_NmKeyDown);
  guarded_connect(Ed_Nr_p, &QLineEdit::returnPressed, this, &SidePanel::Ed_Nr_pKeyDown);
  guarded_connect(Ed_Di, &QLineEdit::returnPressed, this, &SidePanel::Ed_DiKeyDown);
  guarded_connect(Ed_Df, &QLineEdit::returnPressed, this, &SidePanel::Ed_DfKeyDown);
  guarded_connect(Ed_S, &QLineEdit::returnPressed, this, &SidePanel::Ed_SKeyDown);
  guarded_connect(Ed_muro, &QLineEdit::returnPressed, this, &SidePanel::Ed_muroKeyDown);
  guarded_connect(Ed_Nr_m, &QLineEdit::returnPressed, this, &SidePanel::Ed_Nr_mKeyDown);
  guarded_connect(Cb_Hm_p, &QComboBox::activated, this, &SidePanel::Cb_Hm_pChange);
  guarded_connect(Cb_Lm_p, &QComboBox::activated, this, &SidePanel::Cb_Lm_pChange);
  guarded_connect(Cb_Hm_m, &QComboBox::activated, this, &SidePanel::Cb_Hm_mChange);
  guarded_connect(Cb_Lm_m, &QComboBox::activated, this, &SidePanel::Cb_Lm_mChange);
  guarded_connect(Cb_Tg, &QComboBox::activated, this, [](int index) { edit_structure_type(index); });
  guarded_connect(cb_quota, &QCheckBox::clicked, this, [this] {
    if (cb_quota->isEnabled()) edit_dimension_lines(cb_quota->checkState() == Qt::Checked);
  });
  guarded_connect(cb_porta, &QCheckBox::clicked, this, &SidePanel::cb_portaMouseUp);
  guarded_connect(Sb_su, &QToolButton::clicked, this, [] { move_selected_wall(vec_make(0, 1)); });
  guarded_connect(Sb_giu, &QToolButton::clicked, this, [] { move_selected_wall(vec_make(0, -1)); });
  guarded_connect(Sb_dx, &QToolButton::clicked, this, [] { move_selected_wall(vec_make(1, 0)); });
  guarded_connect(Sb_sx, &QToolButton::clicked, this, [] { move_selected_wall(vec_make(-1, 0)); });
  guarded_connect(up_priorita, &QToolButton::clicked, this, [] { edit_wall_priority(true); });
  guarded_connect(down_priorita, &QToolButton::clicked, this, [] { edit_wall_priority(false); });
  for (QAbstractButton* button :
       std::initializer_list<QAbstractButton*>{Sb_su, Sb_giu, Sb_sx, Sb_dx, up_priorita, down_priorita, SB_forza,
                                               Bt_auto, Bt_autoHeavy, Bt_autoEco, Sb_edita_moduli})
    enter_presses(button);
  guarded_connect(SB_forza, &QPushButton::clicked, this, &SidePanel::SB_forzaClick);
  guarded_connect(Bt_auto, &QPushButton::clicked, this, [] { auto_fill_walls(standard_fill_length()); });
  guarded_connect(Bt_autoHeavy, &QPushButton::clicked, this, [] { auto_fill_walls(1100); });
  guarded_connect(Bt_autoEco, &QPushButton::clicked, this, [] { auto_fill_walls(1700); });
  guarded_connect(Sb_edita_moduli, &QPushButton::clicked, this, &SidePanel::Sb_edita_moduliClick);
  const std::pair<QCheckBox*, char> sides[] = {{qn, 'n'}, {qs, 's'}, {qe, 'e'}, {qo, 'o'}};
  for (const auto& entry : sides) {
    QCheckBox* box = entry.first;
    const char side = entry.second;
    guarded_connect(box, &QCheckBox::clicked, this, [box, side] { apply_dimension_sides(side, tick_of(box)); });
  }
  guarded_connect(cbCarrello, &QCheckBox::clicked, this, [this] { apply_trolley_flag(tick_of(cbCarrello)); });
}

void SidePanel::refresh_side_panel() {
  state_ = side_panel_state(current_cell(), AppState, state_, user_decimal_separator());
  show_state(state_);
}

void SidePanel::show_state(const SidePanelState& s) {
  Cb_Tg->setCurrentIndex(s.structure_type);
  Ed_S->setText(QString::fromStdString(s.clearance));
  Ed_muro->setText(QString::fromStdString(s.wall_thickness));
  if (s.door_wall >= 0) Form2->Tag = s.door_wall;

  Gb_parete->setTitle(QString::fromStdString(s.wall_group_caption));
  Sb_su->setEnabled(s.arrows_up_down);
  Sb_giu->setEnabled(s.arrows_up_down);
  Sb_sx->setEnabled(s.arrows_left_right);
  Sb_dx->setEnabled(s.arrows_left_right);
  show_tick(cb_porta, s.door);
  show_tick(cb_quota, s.dimension);
  show_field(Ed_lp, Lb_lp, s.wall_length);
  show_field(Ed_Nm, Lb_Nm, s.module_count);
  show_item(Cb_Hm_p, Lb_Hm_p, s.wall_height);
  show_item(Cb_Lm_p, Lb_Lm_p, s.wall_depth);
  show_field(Ed_Nr_p, Lb_Nr_p, s.wall_shelves);
  show_field(Ed_Di, Lb_Di, s.start_gap);
  show_field(Ed_Df, Lb_Df, s.end_gap);
  for (QWidget* control : std::initializer_list<QWidget*>{up_priorita, down_priorita, Lb_priorita}) {
    control->setEnabled(s.priority);
  }
  SB_forza->setEnabled(s.forced_lengths);
  for (QWidget* button : {Bt_auto, Bt_autoHeavy, Bt_autoEco}) button->setEnabled(s.fill_buttons);

  Gb_modulo->setTitle(QString::fromStdString(s.module_group_caption));
  show_item(Cb_Hm_m, Lb_Hm_m, s.module_height);
  show_item(Cb_Lm_m, Lb_Lm_m, s.module_width);
  show_field(Ed_Nr_m, Lb_Nr_m, s.module_shelves);
  show_tick(qn, s.side_n);
  show_tick(qs, s.side_s);
  show_tick(qe, s.side_e);
  show_tick(qo, s.side_o);
  show_tick(cbCarrello, s.trolley);
}

void SidePanel::apply_language() {
  QString unit = AppState.inches ? " (in)" : " (mm)";
  cb_porta->setText(qt_lang_text(text::door));
  cb_porta->setToolTip(qt_lang_text(text::door_hint));
  cb_quota->setText(qt_lang_text(text::dimension_line));
  cb_quota->setToolTip(qt_lang_text(text::dimension_line_hint));
  set_hint(qt_lang_text(text::wall_length_hint), {Ed_lp, Lb_lp});
  Sb_su->setToolTip(qt_lang_text(text::move_wall_up_hint));
  Sb_giu->setToolTip(qt_lang_text(text::move_wall_down_hint));
  Sb_sx->setToolTip(qt_lang_text(text::move_wall_left_hint));
  Sb_dx->setToolTip(qt_lang_text(text::move_wall_right_hint));
  Gb_parete->setTitle(" " + qt_lang_text(text::wall_group) + " (0) ");
  Gb_modulo->setTitle(" " + qt_lang_text(text::module_group) + " (0) ");
  Gb_Cella->setTitle(" " + qt_lang_text(text::cell) + " ");
  set_hint(qt_lang_text(text::structure_type_hint), {Cb_Tg, Lb_Tg});
  Lb_S->setText(qt_lang_text(text::clearance) + unit);
  set_hint(qt_lang_text(text::clearance_hint), {Ed_S, Lb_S});
  Lb_muro->setText(qt_lang_text(text::wall_thickness) + unit);
  set_hint(qt_lang_text(text::wall_thickness_hint), {Ed_muro, Lb_muro});
  set_hint(qt_lang_text(text::module_count_hint), {Ed_Nm, Lb_Nm});
  set_hint(qt_lang_text(text::module_height_hint), {Cb_Hm_p, Lb_Hm_p, Cb_Hm_m, Lb_Hm_m});
  set_hint(qt_lang_text(text::module_depth_hint), {Cb_Lm_p, Lb_Lm_p, Cb_Lm_m, Lb_Lm_m});
  set_hint(qt_lang_text(text::shelf_count_hint), {Ed_Nr_p, Lb_Nr_p, Ed_Nr_m, Lb_Nr_m});
  set_hint(qt_lang_text(text::start_gap_hint), {Ed_Di, Lb_Di});
  set_hint(qt_lang_text(text::end_gap_hint), {Ed_Df, Lb_Df});
  Lb_priorita->setText(qt_lang_text(text::fill_priority));
  set_hint(qt_lang_text(text::fill_priority_hint), {Lb_priorita, up_priorita, down_priorita});
  SB_forza->setToolTip(qt_lang_text(text::forced_lengths));
  set_hint(qt_lang_text(text::auto_fill_hint), {Bt_auto, Bt_autoHeavy});
  Sb_edita_moduli->setText(qt_lang_text(text::edit_shelves));
  Sb_edita_moduli->setToolTip(qt_lang_text(text::edit_shelves_hint));
  Label5->setText(qt_lang_text(text::side_dimensions));

  Cb_Tg->clear();
  for (const Tstructure_type& type : StructureTypes) Cb_Tg->addItem(qt_lang_text(type.short_text));
  Cb_Tg->setCurrentIndex(0);
  fill_sizes(Cb_Hm_p, HeightList, true);
  fill_sizes(Cb_Hm_m, HeightList, true);
  fill_sizes(Cb_Lm_p, WidthList, false);
  fill_sizes(Cb_Lm_m, WidthList, false);
}

void SidePanel::show_product_controls() {
  cbCarrello->setVisible(AppState.product_switch == 1);
  const bool australian = is_gst_market(Company);
  Bt_autoEco->setVisible(australian);
  Bt_autoHeavy->setVisible(!australian);
}

void SidePanel::Ed_lpKeyDown() {
  double value = 0;
  if (Ed_lp->text().size() <= 2 || !typed_number(Ed_lp, value)) return;
  if (value <= 0) {
    ui().show_message(lang_text(text::invalid_value));
    return;
  }
  edit_wall_length(value * AppState.unit_factor);
  Ed_lp->setFocus();
}

void SidePanel::Ed_NmKeyDown() { with_integer(Ed_Nm, edit_module_count); }

void SidePanel::Ed_Nr_pKeyDown() { with_integer(Ed_Nr_p, edit_wall_shelves); }

void SidePanel::Cb_Hm_pChange(int index) {
  if (index >= 0) edit_wall_height(Cb_Hm_p->itemData(index).toDouble());
}

void SidePanel::Cb_Lm_pChange(int index) {
  if (index >= 0) edit_wall_depth(Cb_Lm_p->itemData(index).toDouble());
}

void SidePanel::Ed_DiKeyDown() { with_integer(Ed_Di, edit_start_gap); }

void SidePanel::Ed_DfKeyDown() { with_integer(Ed_Df, edit_end_gap); }

void SidePanel::Ed_SKeyDown() { with_length(Ed_S, edit_cell_clearance); }

void SidePanel::Ed_muroKeyDown() { with_length(Ed_muro, edit_wall_thickness); }

void SidePanel::cb_portaMouseUp() {
  if (cb_porta->isEnabled()) edit_door(cb_porta->checkState() == Qt::Checked, [] { Form2->exec(); });
}

void SidePanel::SB_forzaClick() {
  edit_forced_lengths([](int wall) {
    Fforza->Tag = wall;
    Fforza->exec();
  });
}

void SidePanel::Cb_Hm_mChange(int index) {
  if (index >= 0) edit_module_height(Cb_Hm_m->itemData(index).toDouble());
}

void SidePanel::Ed_Nr_mKeyDown() { with_integer(Ed_Nr_m, edit_module_shelves); }

void SidePanel::Cb_Lm_mChange(int index) {
  if (index >= 0) edit_free_module_width(Cb_Lm_m->itemData(index).toDouble());
}

void SidePanel::Sb_edita_moduliClick() {
  if (Cb_Hm_m->currentIndex() < 0 || Ed_Nr_m->text().trimmed().isEmpty()) return;
  edit_shelves(Ed_Nr_m->text().trimmed().toStdString(), Cb_Hm_m->currentData().toDouble(), [](const ShelvesForm& form) {
    Fripiani->form = form;
    Fripiani->exec();
  });
}
