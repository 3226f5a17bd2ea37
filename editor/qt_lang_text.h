// Text n of the loaded language as the windows show it (named so that the
// check of the looked-up text numbers finds its calls too).
#pragma once

#include <QString>

#include "model/state/language.h"

inline QString qt_lang_text(int number) { return QString::fromStdString(lang_text(number)); }
