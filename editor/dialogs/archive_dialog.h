// The project archive: the saved projects of the index, newest first, with
// search, show all, open, delete, duplicate and rebuilding the index from the
// project files. The grid's column widths live in AppState (and so in the
// preferences file).
#pragma once

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include "editor/dialogs/archive_table_model.h"
#include "model/files/archive_form.h"
#include "model/text/translated_window.h"

class TFapri : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFapri(QWidget* parent = nullptr);
  void apply_language() override;

  // The ArchiveList entry of the selected row, -1 when none is selected.
  int selected_entry() const;

  QTableView* StringGrid1;
  QPushButton* BitBtn2;  // OK: open the selected project
  QPushButton* BitBtn3;  // Cancel
  QPushButton* BitBtn1;  // search
  QPushButton* BitBtn4;  // show all
  QPushButton* BitBtn5;  // delete
  QPushButton* BitBtn6;  // duplicate
  QPushButton* BitBtn7;  // rebuild the list from the files
  QProgressBar* Gauge1;  // progress of the rebuild
  QPushButton* Button1;  // "Conv_tmp": re-save every project in the current format

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  void BitBtn2Click();
  void BitBtn1Click();
  void BitBtn4Click();
  void BitBtn5Click();
  void BitBtn6Click();
  void BitBtn7Click();
  void Button1Click();

  void build_layout();
  // Opens the columns at their widths; the window widens to show them.
  void apply_column_widths();
  // Shows the form's entries; the selected row keeps its place.
  void fill_archive_grid();
  void clear_archive_selection();
  // After a delete or duplicate, before its message: every entry, none selected.
  void show_changed_archive();

  ArchiveTableModel* rows_;
  ArchiveForm form_;
  // Only a width the user drags is stored: a default fitted to this
  // language's headings would not fit the next language's.
  bool applying_widths_ = false;
};
