// Small pieces the editing dialogs share: the user's decimal separator,
// numbers as the dialogs show them, and the OK and Cancel buttons.
#pragma once

#include <QPushButton>
#include <QString>
#include <string>

// The decimal separator of the user's locale.
char user_decimal_point();
// A number in its shortest form with the user's separator ("974", "38.5").
QString short_number(double value);
// A typed number; "," and "." alike. False when the text is not one.
bool read_typed_number(const QString& text, double& value);

QPushButton* ok_button(QWidget* parent);
QPushButton* cancel_button(QWidget* parent, const char* caption = "Annulla");
