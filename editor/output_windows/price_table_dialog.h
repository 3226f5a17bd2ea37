// The price and code table window: a grid of the current catalogue's
// articles (code and description read-only; printed code and price edited)
// and OK, which stores the changed rows and writes user/codici.dat. The rows
// come from the form of model/quote/price_table_form.h.
#pragma once

#include <QDialog>
#include <vector>

#include "editor/output_windows/one_stop_grid.h"
#include "model/quote/price_table_form.h"
#include "model/text/translated_window.h"

class QPushButton;

// The grid: Enter moves one row down (never past the last), with the cell
// editor kept open on editable columns.
class PriceGrid : public OneStopGrid {
 public:
  explicit PriceGrid(QWidget* parent);
  void move_down();
  void fit_columns();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  // The width of a price cell showing the largest price either way.
  int widest_price_width() const;
};

class TFprezzi : public QDialog, public TranslatedWindow {
 public:
  explicit TFprezzi(QWidget* parent = nullptr);

  void apply_language() override;

  // Handlers.
  void FormActivate();
  void BitBtn1Click();  // OK: apply_price_table_form

  // The article rows as the grid holds them now.
  std::vector<PriceGridRow> edited_rows() const;

  PriceGrid* StringGrid1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void write_headings();

  PriceTableForm form_;
};
