// Small pieces the editing dialogs share: numbers as the dialogs show them,
// and the OK and Cancel buttons.
#pragma once

#include <QPushButton>
#include <QString>
#include <string>

// A number in its shortest form with the user's separator ("974", "38.5").
QString short_number(double value);

QPushButton* ok_button(QWidget* parent);
QPushButton* cancel_button(QWidget* parent, const char* caption = "Annulla");
