// A grid that is one stop on the way through its window: the arrows move
// between its cells, while Tab, Shift+Tab and Ctrl+Tab leave it, also from an
// open cell editor, whose text is kept.
#pragma once

#include <QTableWidget>

class OneStopGrid : public QTableWidget {
 public:
  OneStopGrid(int rows, int columns, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};
