#include "editor/dialogs/door_dialog.h"

#include <QPainter>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/screen_centring.h"
#include "editor/window_opening.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/state/current_cell.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

// A wall drawn thick with a gap for the door, its sill dashed, along x or y;
// the wall lies clear of the part edits above or beside it.
QPixmap wall_picture(int width, int height, bool horizontal) {
  QPixmap picture(width, height);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setPen(QPen(Qt::darkGray, 1));
  painter.setBrush(QColor(150, 150, 150));
  const int length = horizontal ? width : height;
  const int gap_from = length * 2 / 5, gap_to = length * 3 / 5, wall = 12;
  const int across = horizontal ? height - 30 : 24;
  auto bar = [&](int from, int to) {
    if (horizontal)
      painter.drawRect(from, across, to - from, wall);
    else
      painter.drawRect(across, from, wall, to - from);
  };
  bar(4, gap_from);
  bar(gap_to, length - 4);
  painter.setPen(QPen(Qt::darkBlue, 1, Qt::DashLine));
  const int middle = across + wall / 2;
  if (horizontal)
    painter.drawLine(gap_from, middle, gap_to, middle);
  else
    painter.drawLine(middle, gap_from, middle, gap_to);
  return picture;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName("Form2");
  setWindowTitle("Porta");
  setFixedSize(306, 297);
  centre_on_screen_when_shown(*this, Centring::every_show);
  Image1 = new QLabel(this);
  Image1->setGeometry(16, 8, 279, 103);
  Image1->setPixmap(wall_picture(279, 103, true));
  Label1 = new QLabel(this);
  Label1->setGeometry(16, 6, 279, 20);
  Label1->setAlignment(Qt::AlignCenter);
  Edit1 = make_part_edit(40, 38, 0);
  Edit2 = make_part_edit(128, 38, 1);
  Edit3 = make_part_edit(216, 38, 2);
  Image2 = new QLabel(this);
  Image2->setGeometry(16, 8, 151, 276);
  Image2->setPixmap(wall_picture(151, 276, false));
  Label2 = new QLabel(this);
  Label2->setGeometry(104, 78, 100, 20);
  Edit4 = make_part_edit(64, 46, 0);
  Edit5 = make_part_edit(64, 126, 1);
  Edit6 = make_part_edit(64, 214, 2);
  horizontal_ = {Edit1, Edit2, Edit3};
  vertical_ = {Edit4, Edit5, Edit6};
  BitBtn1 = ok_button(this);
  BitBtn1->setGeometry(176, 176, 100, 25);
  BitBtn2 = cancel_button(this);
  BitBtn2->setGeometry(176, 208, 100, 25);
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TForm2::make_part_edit(int x, int y, int part) {
  auto* edit = new QLineEdit("0", this);
  edit->setGeometry(x, y, 58, 21);
  edit->setAlignment(Qt::AlignRight);
  // Digits and either decimal separator only.
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.,]*"), edit));
  guarded_connect(edit, &QLineEdit::textEdited, this,
                  [this, part, edit](const QString& text) { PartChange(part, edit, text); });
  // The edit that was typed into is tidied once the user leaves it, unless it
  // holds no number: OK then reports it rather than split the last parts.
  guarded_connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
    double value = 0.0;
    if (parse_typed_number(edit->text().toStdString(), value)) show_parts(nullptr);
  });
  return edit;
}

void TForm2::apply_language() { setWindowTitle(qt_lang_text(text::door)); }

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opens_the_window(*event)) FormActivate();
}

void TForm2::FormActivate() {
  form_ = door_form_for_wall(current_cell(), Tag);
  const bool horizontal =
      form_.wall < 0 || current_cell().walls[static_cast<std::size_t>(form_.wall)].orientation == 'H';
  for (QWidget* w : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Label1)}) w->setVisible(horizontal);
  for (QWidget* w : {static_cast<QWidget*>(Image2), static_cast<QWidget*>(Label2)}) w->setVisible(!horizontal);
  for (QLineEdit* edit : horizontal_) edit->setVisible(horizontal);
  for (QLineEdit* edit : vertical_) edit->setVisible(!horizontal);
  const QString total = QString::fromStdString(
      format_fixed(form_.total / AppState.unit_factor, AppState.decimals, user_decimal_separator()));
  Label1->setText(total);
  Label2->setText(total);
  show_parts(nullptr);
  (horizontal ? Edit2 : Edit5)->setFocus();
}

void TForm2::show_parts(const QLineEdit* typing) {
  const double parts[3] = {form_.first, form_.opening, form_.third};
  for (std::size_t i = 0; i < 3; ++i) {
    const QString text = QString::fromStdString(
        format_fixed(parts[i] / AppState.unit_factor, AppState.decimals, user_decimal_separator()));
    for (QLineEdit* edit : {horizontal_[i], vertical_[i]}) {
      if (edit != typing && edit->text() != text) edit->setText(text);
    }
  }
}

void TForm2::PartChange(int part, const QLineEdit* edit, const QString& text) {
  double value = 0.0;
  // An emptied edit waits for its number; any other text must be one.
  if (text.trimmed().isEmpty() || !read_door_part(text.toStdString(), value)) return;
  const double mm = value * AppState.unit_factor;
  if (part == 0) change_door_first(form_, mm);
  if (part == 1) change_door_opening(form_, mm);
  if (part == 2) change_door_third(form_, mm);
  show_parts(edit);
}

void TForm2::BitBtn1Click() {
  // The parts are split as held, at full precision; the edits only have to
  // hold numbers, their rounded texts would miss the wall's end.
  const std::array<QLineEdit*, 3>& shown = Edit1->isHidden() ? vertical_ : horizontal_;
  const bool numbers = std::all_of(shown.begin(), shown.end(), [](const QLineEdit* edit) {
    double value = 0.0;
    return read_door_part(edit->text().toStdString(), value);
  });
  if (numbers) apply_door_form(form_);
  accept();
}
