#include "editor/output_windows/price_table_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/enter_presses.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/window_opening.h"
#include "model/base/prices.h"
#include "model/quote/price_grid.h"
#include "model/state/language.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

constexpr int kColumns = 4;
constexpr int kFirstEditable = 2;
constexpr int kPriceColumn = 3;
constexpr int kColumnWidths[kColumns] = {128, 346, 103, 94};

QTableWidgetItem* cell(const std::string& text, bool editable) {
  auto* item = new QTableWidgetItem(qtext(text));
  if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

}  // namespace

PriceGrid::PriceGrid(QWidget* parent) : OneStopGrid(0, kColumns, parent) {
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(18);
  // The rows of one table look alike: a sample of them tells the widths.
  horizontalHeader()->setResizeContentsPrecision(200);
  for (int c = 0; c < kColumns; ++c) setColumnWidth(c, kColumnWidths[c]);
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
}

void PriceGrid::fit_columns() {
  // The given widths are the least: a longer code or heading widens its column.
  for (int c = 0; c < kColumns; ++c) {
    resizeColumnToContents(c);
    setColumnWidth(c, std::max(columnWidth(c), kColumnWidths[c]));
  }
  setColumnWidth(kPriceColumn, std::max(columnWidth(kPriceColumn), widest_price_width()));
}

// A price typed later, or one of the rows the sample above passed over, may
// be the largest the bound allows: the column shows it whole.
int PriceGrid::widest_price_width() const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.features |= QStyleOptionViewItem::HasDisplay;
  option.text = qtext(price_grid_text(-kLargestPrice, user_decimal_separator()));
  const int grid_line = showGrid() ? 1 : 0;
  return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width() + grid_line;
}

void PriceGrid::move_down() {
  const int row = currentRow();
  if (row < 0 || row + 1 >= rowCount()) return;
  setCurrentCell(row + 1, currentColumn());  // the current-cell trigger opens its editor
}

void PriceGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // From an open cell editor the key also reaches here; closing the editor moves on.
    if (state() != EditingState) move_down();
    return;
  }
  OneStopGrid::keyPressEvent(event);
}

void PriceGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  OneStopGrid::closeEditor(editor, hint);
  // Enter in the cell editor commits it with this hint; it moves on like Enter in the grid.
  if (hint == QAbstractItemDelegate::SubmitModelCache) move_down();
}

TFprezzi::TFprezzi(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Prezzi");
  StringGrid1 = new PriceGrid(this);
  BitBtn1 = new QPushButton("OK", this);
  BitBtn2 = new QPushButton("Annulla", this);
  enter_presses(BitBtn1);
  enter_presses(BitBtn2);
  write_headings();

  auto* panel = new QHBoxLayout;
  panel->addStretch(1);
  panel->addWidget(BitBtn1);
  panel->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StringGrid1, 1);
  layout->addLayout(panel);
  resize(760, 560);

  guarded_connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFprezzi::apply_language() {
  setWindowTitle(qt_lang_text(text::price_table));
  write_headings();
  BitBtn1->setText(qt_lang_text(text::price_table_ok));
  BitBtn2->setText(qt_lang_text(text::cancel));
}

void TFprezzi::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opens_the_window(*event)) FormActivate();
}

// The headings stay in view above the scrolled articles.
void TFprezzi::write_headings() {
  const int headings[kColumns] = {text::code_heading, text::description_heading, text::printed_code_heading,
                                  text::unit_price_heading};
  QStringList texts;
  for (int number : headings) texts << qt_lang_text(number);
  StringGrid1->setHorizontalHeaderLabels(texts);
}

void TFprezzi::FormActivate() {
  form_ = load_price_table_form(user_decimal_separator());
  // One repaint after the whole fill, not one per cell.
  StringGrid1->setUpdatesEnabled(false);
  // Exactly the current articles: rows of an earlier opening never stay behind.
  StringGrid1->clearContents();
  StringGrid1->setRowCount(static_cast<int>(form_.rows.size()));
  write_headings();
  for (std::size_t i = 0; i < form_.rows.size(); ++i) {
    const int r = static_cast<int>(i);
    const PriceGridRow& row = form_.rows[i];
    StringGrid1->setItem(r, 0, cell(row.code, false));
    StringGrid1->setItem(r, 1, cell(row.description, false));
    StringGrid1->setItem(r, 2, cell(row.alt_code, true));
    QTableWidgetItem* price = cell(row.price, true);
    price->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StringGrid1->setItem(r, kPriceColumn, price);
  }
  StringGrid1->fit_columns();
  StringGrid1->setUpdatesEnabled(true);
  if (!form_.rows.empty()) StringGrid1->setCurrentCell(0, kFirstEditable);
}

std::vector<PriceGridRow> TFprezzi::edited_rows() const {
  std::vector<PriceGridRow> rows = form_.shown;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i);
    rows[i].alt_code = StringGrid1->item(r, 2)->text().toStdString();
    rows[i].price = StringGrid1->item(r, kPriceColumn)->text().toStdString();
  }
  return rows;
}

void TFprezzi::BitBtn1Click() {
  form_.rows = edited_rows();
  const int bad_row = apply_price_table_form(form_, user_decimal_separator());
  if (bad_row >= 0) {
    StringGrid1->setFocus();
    StringGrid1->setCurrentCell(bad_row, kPriceColumn);
    return;
  }
  accept();
}
