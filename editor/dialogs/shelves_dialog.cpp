#include "editor/dialogs/shelves_dialog.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/scrolling_body.h"
#include "model/base/rounding.h"
#include "model/text/text_numbers.h"

namespace {

constexpr int kUprightInset = 40;  // pixels from each side edge to the upright
constexpr int kUprightWidth = 3;

int pixels(double mm) { return static_cast<int>(Round(mm / kShelfDrawingMmPerPixel)); }

// The slots of a pattern standing on the floor, as bars from x0 to x1.
void draw_slots(QPainter& painter, const std::string& pattern, double height, int floor, int x0, int x1) {
  const int top = floor - pixels(height);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const int y = top + kShelfSlotPitch * static_cast<int>(i) + 7;
    if (pattern[i] == '1') {
      painter.setPen(QPen(QColor(40, 40, 40), 1));
      painter.setBrush(QColor(70, 110, 170));
      painter.drawRect(x0, y, x1 - x0, 6);
    } else {
      painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(x0, y, x1 - x0, 6);
    }
  }
}

}  // namespace

ShelfPaintBox::ShelfPaintBox(ShelvesForm& form) : form_(form) {
  setObjectName("PaintBox1");
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ShelfPaintBox::paint_shelf_editor() {
  if (image_.size() != size()) image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image_.fill(Qt::white);
  QPainter painter(&image_);
  const int w = width(), floor = height() - kShelfFloorMargin;
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(0, floor, w, floor);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(90, 90, 90));
  const int left_top = pixels(std::max(form_.height, form_.left_height));
  const int right_top = pixels(std::max(form_.height, form_.right_height));
  painter.drawRect(kUprightInset, floor - left_top, kUprightWidth, left_top);
  painter.drawRect(w - kUprightInset - kUprightWidth, floor - right_top, kUprightWidth, right_top);
  draw_slots(painter, form_.pattern, form_.height, floor, kUprightInset + 5, w - kUprightInset - 2);
  draw_slots(painter, form_.left_pattern, form_.left_height, floor, 6, kUprightInset - 4);
  draw_slots(painter, form_.right_pattern, form_.right_height, floor, w - kUprightInset + 4, w - 6);
  painter.end();
  update();
}

void ShelfPaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void ShelfPaintBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  paint_shelf_editor();
}

void ShelfPaintBox::mousePressEvent(QMouseEvent* event) {
  const int slot = shelf_slot_at(form_, static_cast<int>(event->position().y()), height());
  if (slot < 0) return;
  toggle_shelf_slot(form_, slot);
  paint_shelf_editor();
}

TFripiani::TFripiani(QWidget* parent) : QDialog(parent) {
  setObjectName("Fripiani");
  setWindowTitle("Ripiani");
  PaintBox1 = new ShelfPaintBox(form);
  Panel1 = new QWidget;
  BitBtn2 = ok_button(this);
  BitBtn3 = cancel_button(this);
  auto* buttons = new QHBoxLayout(Panel1);
  buttons->addStretch(1);
  buttons->addWidget(BitBtn2);
  buttons->addWidget(BitBtn3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // A module taller than the screen scrolls; OK and Cancel stay.
  layout->addWidget(new ScrollingBody(PaintBox1), 1);
  layout->addWidget(Panel1);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &TFripiani::BitBtn2Click);
  guarded_connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
}

void TFripiani::apply_language() { setWindowTitle(qt_lang_text(text::shelves)); }

void TFripiani::setVisible(bool visible) {
  // Sized before it shows, so that the dialog opens fitted to the screen and
  // placed by its size: tall enough for the highest of the module and its
  // neighbours, with room above.
  if (visible) {
    const double tallest = std::max({form.height, form.left_height, form.right_height});
    PaintBox1->setFixedSize(300, pixels(tallest) + kShelfFloorMargin + 30);
  }
  QDialog::setVisible(visible);
}

void TFripiani::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  PaintBox1->paint_shelf_editor();
}

void TFripiani::BitBtn2Click() {
  apply_shelves_form(form);
  accept();
}
