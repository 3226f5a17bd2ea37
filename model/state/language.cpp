#include "model/state/language.h"

#include <utility>
#include <vector>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/translations.h"

namespace {

void write_language_file(const std::vector<LanguageTexts>& languages, bool separator_lines) {
  write_scrambled_file(program_path("data/lang.dat"), language_file_text(languages, separator_lines));
  ui().show_message("File salvato");
}

}  // namespace

const std::string& lang_text(int number) { return lang_text(LangTable, number); }

void load_language(const std::string& code) {
  LangTable = parse_language_texts(read_scrambled_file(program_path("data/lang.dat")), code);
}

void set_language(const std::string& code) { load_language(code); }

void save_language_italian_only() {
  load_language("IT");
  write_language_file({{"IT", LangTable}}, false);
}

void save_language_placeholders() {
  load_language("IT");
  std::vector<LanguageTexts> languages{{"IT", LangTable}};
  for (const char* code : {"EN", "FR", "DE", "ES", "FM", "CZ"}) {
    LanguageTexts placeholder{code, LangTable};
    for (std::string& text : placeholder.texts) text = std::string(code) + "-" + text;
    languages.push_back(std::move(placeholder));
  }
  write_language_file(languages, true);
}
