#include "editor/dialogs/archive_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/window_opening.h"
#include "model/base/file_io.h"
#include "model/commands/archive_commands.h"
#include "model/state/globals.h"
#include "model/text/text_numbers.h"

namespace {

QPushButton* icon_button(QStyle::StandardPixmap icon, QWidget* parent) {
  auto* button = new QPushButton(standard_icon(icon), QString(), parent);
  button->setIconSize(QSize(20, 20));
  button->setFixedSize(34, 30);
  return button;
}

}  // namespace

TFapri::TFapri(QWidget* parent)
    : QDialog(parent),
      StringGrid1(new QTableView(this)),
      BitBtn2(new QPushButton("OK", this)),
      BitBtn3(new QPushButton("Cancel", this)),
      BitBtn1(icon_button(QStyle::SP_FileDialogContentsView, this)),
      BitBtn4(icon_button(QStyle::SP_FileDialogListView, this)),
      BitBtn5(icon_button(QStyle::SP_TrashIcon, this)),
      BitBtn6(icon_button(QStyle::SP_FileLinkIcon, this)),
      BitBtn7(icon_button(QStyle::SP_BrowserReload, this)),
      Gauge1(new QProgressBar(this)),
      Button1(new QPushButton("Conv_tmp", this)),
      rows_(new ArchiveTableModel(this)) {
  setWindowTitle("Archivio");
  StringGrid1->setModel(rows_);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid1->horizontalHeader()->setMinimumSectionSize(ArchiveMinimumColumnWidth);
  StringGrid1->setMinimumSize(680, 320);
  BitBtn2->setDefault(true);
  BitBtn4->setEnabled(false);
  Gauge1->hide();
  Button1->hide();
  build_layout();
  resize(760, 460);

  guarded_connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionResized, this,
                  [this](int column, int, int width) {
                    if (!applying_widths_) store_archive_column_width(column, width);
                  });
  guarded_connect(StringGrid1, &QTableView::doubleClicked, this, &TFapri::BitBtn2Click);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &TFapri::BitBtn2Click);
  guarded_connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &TFapri::BitBtn1Click);
  guarded_connect(BitBtn4, &QPushButton::clicked, this, &TFapri::BitBtn4Click);
  guarded_connect(BitBtn5, &QPushButton::clicked, this, &TFapri::BitBtn5Click);
  guarded_connect(BitBtn6, &QPushButton::clicked, this, &TFapri::BitBtn6Click);
  guarded_connect(BitBtn7, &QPushButton::clicked, this, &TFapri::BitBtn7Click);
  guarded_connect(Button1, &QPushButton::clicked, this, &TFapri::Button1Click);
}

void TFapri::build_layout() {
  auto* tools = new QHBoxLayout;
  for (QPushButton* button : {BitBtn1, BitBtn4, BitBtn5, BitBtn6, BitBtn7, Button1}) tools->addWidget(button);
  tools->addWidget(Gauge1, 1);
  tools->addStretch();
  auto* answers = new QHBoxLayout;
  answers->addStretch();
  answers->addWidget(BitBtn2);
  answers->addWidget(BitBtn3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(StringGrid1, 1);
  layout->addLayout(answers);
}

void TFapri::apply_language() {
  setWindowTitle(qt_lang_text(text::archive));
  BitBtn7->setToolTip(qt_lang_text(text::rebuild_archive_hint));
  BitBtn1->setToolTip(qt_lang_text(text::search_hint));
  BitBtn4->setToolTip(qt_lang_text(text::show_all));
  BitBtn5->setToolTip(qt_lang_text(text::delete_project_hint));
  BitBtn6->setToolTip(qt_lang_text(text::duplicate_project_hint));
  BitBtn3->setText(qt_lang_text(text::cancel));
  rows_->set_titles({qt_lang_text(text::file), qt_lang_text(text::quote_date), qt_lang_text(text::customer),
                     qt_lang_text(text::customer_reference), qt_lang_text(text::quote_number),
                     qt_lang_text(text::drawing)});
}

int TFapri::selected_entry() const {
  const QModelIndexList rows = StringGrid1->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : archive_entry_at_row(form_.view, rows.first().row());
}

void TFapri::showEvent(QShowEvent* event) {
  if (opens_the_window(*event)) FormActivate();
  QDialog::showEvent(event);
}

void TFapri::apply_column_widths() {
  QHeaderView& header = *StringGrid1->horizontalHeader();
  applying_widths_ = true;
  int columns_width = 0;
  for (int column = 0; column < static_cast<int>(AppState.archive_col_widths.size()); ++column) {
    StringGrid1->setColumnWidth(column, archive_column_width(column, header.sectionSizeHint(column)));
    columns_width += StringGrid1->columnWidth(column);
  }
  applying_widths_ = false;
  // Wide enough for the columns, as far as the screen allows.
  const int wanted = columns_width + width() - StringGrid1->viewport()->width() + 4;
  resize(std::min(std::max(width(), wanted), screen()->availableGeometry().width() - 40), height());
}

void TFapri::FormActivate() {
  apply_column_widths();
  reset_archive_view(form_);
  fill_archive_grid();
  // Every opening starts on the list, wherever the last one left the focus.
  StringGrid1->setFocus();
}

void TFapri::fill_archive_grid() {
  // Refilling keeps the selected row where it was, within the rows there are;
  // only deleting and duplicating clear it.
  const QModelIndexList selected = StringGrid1->selectionModel()->selectedRows();
  StringGrid1->setEnabled(!form_.view.empty());
  rows_->set_view(form_.view);
  if (!selected.isEmpty()) StringGrid1->selectRow(std::min(selected.first().row(), rows_->rowCount() - 1));
  BitBtn4->setEnabled(form_.show_all_offered);
}

void TFapri::clear_archive_selection() { StringGrid1->clearSelection(); }

void TFapri::BitBtn2Click() {
  apply_archive_form(selected_entry());
  accept();
}

void TFapri::BitBtn1Click() {
  if (search_archive_form(form_)) fill_archive_grid();
}

void TFapri::BitBtn4Click() {
  show_all_archive_form(form_);
  fill_archive_grid();
  StringGrid1->setEnabled(true);  // even with no entry to show
}

void TFapri::BitBtn5Click() {
  delete_archive_form_entry(form_, selected_entry(), [this] { show_changed_archive(); });
}

void TFapri::BitBtn6Click() {
  duplicate_archive_form_entry(form_, selected_entry(), [this] { show_changed_archive(); });
}

void TFapri::show_changed_archive() {
  fill_archive_grid();
  clear_archive_selection();
}

void TFapri::BitBtn7Click() {
  rebuild_archive_form(form_);
  fill_archive_grid();
}

void TFapri::Button1Click() { resave_all_projects(); }
