// Small pieces the editing dialogs share: numbers as the dialogs show them,
// the style's icons and the OK and Cancel buttons.
#pragma once

#include <QIcon>
#include <QPushButton>
#include <QString>
#include <QStyle>
#include <string>
#include <vector>

// A number in its shortest form with the user's separator ("974", "38.5").
QString short_number(double value);

// The application style's icon, looked up once for every window: each lookup
// searches the icon theme, and two dozen windows are made at start-up.
const QIcon& standard_icon(QStyle::StandardPixmap which);

// Tab goes through the widgets in the order given (a group box with all it holds).
void tab_order(const std::vector<QWidget*>& widgets);

// Every opening of the field's window starts on the field, wherever the last
// one left the focus (on OK, as a rule).
void opens_on(QWidget* field);

QPushButton* ok_button(QWidget* parent);
QPushButton* cancel_button(QWidget* parent, const char* caption = "Annulla");
