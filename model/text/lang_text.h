// Translated texts by number. A number the loaded language does not hold gives
// an empty text, so a short or missing translation never stops the program.
#pragma once

#include <string>

const std::string& lang_text(int number);
