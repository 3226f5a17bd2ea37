// Translated texts by number. A number the table does not hold gives an
// empty text, so a short or missing translation never stops the program.
#pragma once

#include <string>
#include <vector>

const std::string& lang_text(const std::vector<std::string>& table, int number);
