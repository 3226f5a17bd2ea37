// Text n of the loaded language as the windows show it.
#pragma once

#include <QString>

#include "model/text/lang_text.h"

inline QString lang_qtext(int number) { return QString::fromStdString(lang_text(number)); }
