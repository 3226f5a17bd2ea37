#include "editor/dialogs/cell_order_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/window_opening.h"
#include "model/commands/project_commands.h"
#include "model/state/globals.h"
#include "model/text/text_numbers.h"

TFordinamento::TFordinamento(QWidget* parent) : QDialog(parent) {
  setObjectName("Fordinamento");
  setWindowTitle("Ordinamento celle");
  ListBox1 = new QListWidget;
  BitBtn1 = new QPushButton(standard_icon(QStyle::SP_ArrowUp), "");
  BitBtn2 = new QPushButton(standard_icon(QStyle::SP_ArrowDown), "");
  BitBtn3 = ok_button(this);
  BitBtn4 = cancel_button(this);
  auto* grid = new QGridLayout(this);
  grid->addWidget(ListBox1, 0, 0, 3, 1);
  grid->addWidget(BitBtn1, 0, 1);
  grid->addWidget(BitBtn2, 1, 1);
  grid->setRowStretch(2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn3);
  buttons->addWidget(BitBtn4);
  grid->addLayout(buttons, 3, 0, 1, 2);
  tab_order({ListBox1, BitBtn1, BitBtn2, BitBtn3, BitBtn4});
  opens_on(ListBox1);
  guarded_connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) { form_.selected = row; });
  guarded_connect(BitBtn1, &QPushButton::clicked, this, [this] { move_line(-1); });
  guarded_connect(BitBtn2, &QPushButton::clicked, this, [this] { move_line(+1); });
  guarded_connect(BitBtn3, &QPushButton::clicked, this, &TFordinamento::BitBtn3Click);
  guarded_connect(BitBtn4, &QPushButton::clicked, this, &QDialog::reject);
}

void TFordinamento::apply_language() { setWindowTitle(qt_lang_text(text::cell_order)); }

void TFordinamento::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!opens_the_window(*event)) return;
  form_ = cell_order_form();
  show_lines();
}

void TFordinamento::show_lines() {
  const int selected = form_.selected;
  ListBox1->clear();
  const Tcells& cells = Cells;  // reading the names must not count as an edit of the cells
  for (int cell : form_.order) ListBox1->addItem(QString::fromStdString(cells.at(static_cast<std::size_t>(cell)).name));
  ListBox1->setCurrentRow(selected);
}

void TFordinamento::move_line(int by) {
  move_cell_line(form_, by);
  show_lines();
}

void TFordinamento::BitBtn3Click() {
  apply_cell_order(form_);
  reset_tabs_from_cells();
  accept();
}
