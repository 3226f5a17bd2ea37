// Texts of the model as the windows show them.
#pragma once

#include <QString>
#include <string>

#include "model/state/language.h"

inline QString qtext(const std::string& text) { return QString::fromStdString(text); }

// Text n of the loaded language (named so that the check of the looked-up
// text numbers finds its calls too).
inline QString qt_lang_text(int number) { return QString::fromStdString(lang_text(number)); }
