#include "editor/output_windows/one_stop_grid.h"

OneStopGrid::OneStopGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
  setTabKeyNavigation(false);
}

void OneStopGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // The cell editor asks for the next or previous cell on Tab and Shift+Tab:
  // the grid is left instead, as Tab on the grid itself leaves it.
  const bool next = hint == QAbstractItemDelegate::EditNextItem;
  const bool leaves = next || hint == QAbstractItemDelegate::EditPreviousItem;
  QTableWidget::closeEditor(editor, leaves ? QAbstractItemDelegate::NoHint : hint);
  if (leaves) focusNextPrevChild(next);
}
