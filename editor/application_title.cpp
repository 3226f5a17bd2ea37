#include "editor/application_title.h"

#include <QApplication>

namespace {
QString title;
}

QString application_title() { return title.isEmpty() ? QApplication::applicationName() : title; }

void set_application_title(const QString& text) { title = text; }
