// The cell order dialog: the cells' names in their order, moved up and down
// one line at a time; OK puts the cells in that order.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include "model/files/cell_list.h"
#include "model/text/translated_window.h"

class TFordinamento : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TFordinamento(QWidget* parent);
  void apply_language() override;

  QListWidget* ListBox1;
  QPushButton* BitBtn1;  // up
  QPushButton* BitBtn2;  // down
  QPushButton* BitBtn3;  // OK
  QPushButton* BitBtn4;  // Cancel

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void move_line(int by);
  void show_lines();
  void BitBtn3Click();

  CellOrderForm form_;
};
