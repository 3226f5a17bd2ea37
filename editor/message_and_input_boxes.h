// The program's message, question and input boxes: captioned, sized and
// placed as every window of the program is.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// A message or a question captioned with the application's title, in the
// middle of the screen, its text wholly inside it: the button pressed,
// NoButton when the box was closed otherwise.
QMessageBox::StandardButton show_box(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                     QMessageBox::StandardButtons buttons);

// The input box in the middle of the screen, starting with the value: false
// when cancelled. It takes at most kTextBytes (model/base/text_io.h).
bool ask_text(QWidget* owner, const QString& caption, const QString& prompt, QString& value);
