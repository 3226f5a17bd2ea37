// The application's title, the caption of its message boxes: the
// application's name until start-up sets the title with the version. The
// name itself stays as it is, as the desktop knows the program by it.
#pragma once

#include <QString>

QString application_title();
void set_application_title(const QString& title);
