// The program's boxes (a message, a question, the input box), each at least as
// wide as its title: the window manager puts the title beside the frame's
// icon and buttons and cuts one that does not fit ("Rack... V1.12" over a
// short message).
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The width a window needs for its title beside the frame's icon and buttons.
int title_bar_width(const QWidget& window);

// A message or a question captioned with the application's title: the button
// pressed, NoButton when the box was closed otherwise.
QMessageBox::StandardButton show_box(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                     QMessageBox::StandardButtons buttons);

// The input box, starting with the value: false when cancelled.
bool ask_text(QWidget* owner, const QString& caption, const QString& prompt, QString& value);
