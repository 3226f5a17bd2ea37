#include "editor/message_and_input_boxes.h"

#include <QInputDialog>
#include <QLineEdit>

#include "editor/application_title.h"
#include "editor/box_text.h"
#include "editor/screen_centring.h"
#include "editor/text_bounds.h"
#include "editor/title_wide_boxes.h"
#include "model/base/text_io.h"

QMessageBox::StandardButton show_box(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                     QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, application_title(), QString(), buttons, owner);
  set_box_text(box, text);
  keep_wide_enough_for_title(box);
  centre_on_screen_when_shown(box, Centring::every_show_and_size);
  box.exec();
  return box.standardButton(box.clickedButton());
}

bool ask_text(QWidget* owner, const QString& caption, const QString& prompt, QString& value) {
  QInputDialog box(owner);
  box.setWindowTitle(caption);
  box.setLabelText(prompt);
  box.setTextValue(value);
  // What the box asks for is a cell's name, the longest text it gives, or a
  // search or a number: none is kept longer than a name.
  if (auto* line = box.findChild<QLineEdit*>()) bound_text_bytes(line, kTextBytes);
  box.minimumSizeHint();  // an input box makes its layout only when first asked its size
  keep_wide_enough_for_title(box);
  centre_on_screen_when_shown(box, Centring::first_show);
  if (box.exec() != QDialog::Accepted) return false;
  value = box.textValue();
  return true;
}
