#include "model/state/language.h"

#include <utility>
#include <vector>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/translations.h"

namespace {

std::string language_file() { return program_path("data/lang.dat"); }

void write_language_file(const std::vector<LanguageTexts>& languages, bool separator_lines) {
  write_scrambled_file(language_file(), language_file_text(languages, separator_lines));
  ui().show_message("File salvato");
}

// The texts of one language; a damaged line is reported with the file's name.
std::vector<std::string> read_language_texts(const std::string& code) {
  const std::string plain = read_scrambled_file(language_file());
  try {
    return parse_language_texts(plain, code);
  } catch (const FileError& error) {
    throw FileError(read_error_text(language_file()) + "\r\n" + error.what());
  }
}

// The texts of one language, when they hold every text the program shows.
std::vector<std::string> shown_language_texts(const std::string& code) {
  std::vector<std::string> texts = read_language_texts(code);
  check_shown_texts(texts, code, language_file());
  return texts;
}

}  // namespace

const std::string& lang_text(int number) { return lang_text(LangTable, number); }

void load_language(const std::string& code) { LangTable = read_language_texts(code); }

void set_language(const std::string& code) { LangTable = shown_language_texts(code); }

void check_language(const std::string& code) { shown_language_texts(code); }

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
