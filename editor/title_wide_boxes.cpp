#include "editor/title_wide_boxes.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLayout>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

#include "editor/application_title.h"

namespace {

// The window icon and three buttons of a title bar, with their margins.
constexpr int kTitleBarControlsWidth = 120;

// A message box fixes its own size when it is shown, from its layout's
// minimum: a spacer as wide as the title sets that minimum for any box.
void keep_wide_enough_for_title(QDialog& box) {
  const QMargins margins = box.layout()->contentsMargins();
  const int inner_width = title_bar_width(box) - margins.left() - margins.right();
  auto* spacer = new QSpacerItem(std::max(inner_width, 0), 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
  else
    box.layout()->addItem(spacer);
}

}  // namespace

int title_bar_width(const QWidget& window) {
  // Title bars set their text in bold.
  QFont title_font = window.font();
  title_font.setBold(true);
  const int width = QFontMetrics(title_font).horizontalAdvance(window.windowTitle()) + kTitleBarControlsWidth;
  // A title longer than the screen is cut all the same: the box stays on it.
  return std::min(width, window.screen()->availableGeometry().width());
}

QMessageBox::StandardButton show_box(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                     QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, application_title(), text, buttons, owner);
  keep_wide_enough_for_title(box);
  box.exec();
  return box.standardButton(box.clickedButton());
}

bool ask_text(QWidget* owner, const QString& caption, const QString& prompt, QString& value) {
  QInputDialog box(owner);
  box.setWindowTitle(caption);
  box.setLabelText(prompt);
  box.setTextValue(value);
  box.minimumSizeHint();  // an input box makes its layout only when first asked its size
  keep_wide_enough_for_title(box);
  if (box.exec() != QDialog::Accepted) return false;
  value = box.textValue();
  return true;
}
