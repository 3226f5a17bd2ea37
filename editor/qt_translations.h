// Qt's own texts in the language in use: the buttons of the message boxes and
// the input box, the file and print dialogs. Qt ships them as translations of
// its own (qtbase_xx), installed beside Qt; English where Qt has none.
#pragma once

#include <string>

// Puts Qt's texts in the language of that code ("IT" .. "PL") in place of
// those of the language before. Windows already made hear of it through
// Qt's language-change event, once the event loop runs.
void load_qt_translations(const std::string& language_code);
