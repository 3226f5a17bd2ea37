#include "editor/output_windows/one_stop_grid.h"

#include <QKeyEvent>

OneStopGrid::OneStopGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
  setTabKeyNavigation(false);
}

void OneStopGrid::keyPressEvent(QKeyEvent* event) {
  // Qt moves the focus on Ctrl+Tab only out of widgets that take Tab as
  // input; the grid gives up the focus on it as on Tab (Shift for backwards).
  const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
  if (tab && event->modifiers().testFlag(Qt::ControlModifier)) {
    focusNextPrevChild(event->key() == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier));
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void OneStopGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // The cell editor asks for the next or previous cell on Tab and Shift+Tab:
  // the grid is left instead, as Tab on the grid itself leaves it.
  const bool next = hint == QAbstractItemDelegate::EditNextItem;
  const bool leaves = next || hint == QAbstractItemDelegate::EditPreviousItem;
  QTableWidget::closeEditor(editor, leaves ? QAbstractItemDelegate::NoHint : hint);
  if (leaves) focusNextPrevChild(next);
}
