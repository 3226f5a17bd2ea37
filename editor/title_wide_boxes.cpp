#include "editor/title_wide_boxes.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QPointer>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>
#include <algorithm>

namespace {

// The window icon and three buttons of a title bar, with their margins.
constexpr int kTitleBarControlsWidth = 120;

// Where a row across the whole width can go: a vertical box, a grid, a form.
bool lays_out_in_rows(const QLayout* layout) {
  if (qobject_cast<const QGridLayout*>(layout) || qobject_cast<const QFormLayout*>(layout)) return true;
  const auto* box = qobject_cast<const QBoxLayout*>(layout);
  return box && (box->direction() == QBoxLayout::TopToBottom || box->direction() == QBoxLayout::BottomToTop);
}

void add_row(QLayout& layout, QSpacerItem* row) {
  if (auto* grid = qobject_cast<QGridLayout*>(&layout))
    grid->addItem(row, grid->rowCount(), 0, 1, grid->columnCount());
  else if (auto* form = qobject_cast<QFormLayout*>(&layout))
    form->setItem(form->rowCount(), QFormLayout::SpanningRole, row);
  else
    layout.addItem(row);
}

// Fits the window to its title whenever it opens and whenever its title or
// font changes; a window not laid out in rows also when its contents ask for
// more room.
class TitleWidth : public QObject {
 public:
  explicit TitleWidth(QWidget& window)
      : QObject(&window), window_(window), least_width_(window.minimumWidth()), most_width_(window.maximumWidth()) {
    window.installEventFilter(this);
    fit();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &window_) return false;
    switch (event->type()) {
      case QEvent::Show:
        if (!event->spontaneous()) fit();
        break;
      case QEvent::WindowTitleChange:
      case QEvent::FontChange:
        fit();
        break;
      case QEvent::LayoutRequest:
        if (!lays_out_in_rows(window_.layout())) fit();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void fit() {
    const int wanted = title_bar_width(window_);
    QLayout* layout = window_.layout();
    if (lays_out_in_rows(layout))
      fit_row(*layout, wanted);
    else
      fit_least_width(layout, wanted);
  }

  // A message box fixes its own size when it is shown, from its layout's
  // minimum: a row as wide as the title sets that minimum for any window.
  void fit_row(QLayout& layout, int wanted) {
    if (laid_out_ != &layout) {
      // A window that made its layout anew lost the row with the old one.
      row_ = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
      add_row(layout, row_);
      laid_out_ = &layout;
    }
    const QMargins margins = layout.contentsMargins();
    const int inner_width = std::max(wanted - margins.left() - margins.right(), 0);
    if (row_->sizeHint().width() == inner_width) return;
    row_->changeSize(inner_width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    // At once, so that a window shown widens with its new title.
    layout.invalidate();
    layout.activate();
  }

  // A window not laid out in rows has its contents' least width or its
  // title's, whichever is wider; one placed by hand keeps its own size unless
  // the title needs more.
  void fit_least_width(const QLayout* layout, int wanted) {
    const int contents = layout ? layout->totalMinimumSize().width() : least_width_;
    const int least = std::max(contents, wanted);
    if (window_.minimumWidth() != least) window_.setMinimumWidth(least);
    const int most = std::max(most_width_, least);
    if (window_.maximumWidth() != most) window_.setMaximumWidth(most);
  }

  QWidget& window_;
  const int least_width_;
  const int most_width_;
  QPointer<QLayout> laid_out_;
  QSpacerItem* row_ = nullptr;
};

}  // namespace

int title_bar_width(const QWidget& window) {
  // Title bars set their text in bold.
  QFont title_font = window.font();
  title_font.setBold(true);
  const int width = QFontMetrics(title_font).horizontalAdvance(window.windowTitle()) + kTitleBarControlsWidth;
  // A title longer than the screen is cut all the same: the window stays on it.
  return std::min(width, window.screen()->availableGeometry().width());
}

void keep_wide_enough_for_title(QWidget& window) { new TitleWidth(window); }
