// The interface language in force: every text the user sees is looked up by
// number in LangTable, which holds one language at a time, loaded from
// data/lang.dat (its format is in model/text/translations.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/base/code_page.h"

// Text n of the loaded language; empty when it has none.
const std::string& lang_text(int number);

// The code page the old program wrote its files in, in the language in use
// (language_code_page, model/text/translations.h).
CodePage legacy_code_page();

// Why a field takes no more: text::field_bound_hint with its bound of most_bytes in place
// of "%n", shown when a typed or pasted text reaches the bound.
std::string text_bound_hint(std::size_t most_bytes);

// Fills LangTable with the texts of one language code from data/lang.dat.
// Raises FileError when the file cannot be read or holds a damaged line of
// that language; LangTable is then unchanged. A text too long to show
// (kTextBytes) is cut, and the user told which lines were.
void load_language(const std::string& code);
// Selects the interface language by its code: loads it as above, and refuses
// (FileError, LangTable unchanged) a file that gives the language no text for
// a number the program shows.
void set_language(const std::string& code);
// Raises FileError when set_language would refuse the language; changes nothing.
void check_language(const std::string& code);
// True when set_language would take the language; else false, after showing
// the refusal it would raise.
bool language_served(const std::string& code);
// The first language index (0..7) set_language would take; none when the file
// cannot be read or serves no language.
std::optional<int> first_served_language();

// Developer writers of data/lang.dat, both from the Italian texts: the Italian
// lines alone, or each Italian line followed by placeholder lines for EN, FR,
// DE, ES, FM and CZ ("EN-" + the Italian text) and a separator.
void save_language_italian_only();
void save_language_placeholders();
