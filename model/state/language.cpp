#include "model/state/language.h"

#include <string_view>
#include <utility>
#include <vector>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"
#include "model/text/translations.h"

namespace {

std::string language_file() { return program_path("data/lang.dat"); }

void write_language_file(const std::vector<LanguageTexts>& languages, bool separator_lines) {
  write_scrambled_file(language_file(), language_file_text(languages, separator_lines));
  ui().show_message("File salvato");
}

// The texts of one language in the plain content of the translation file; a
// damaged line is reported with the file's name, the texts cut are noted in cuts.
std::vector<std::string> language_texts(std::string_view plain, const std::string& code,
                                        std::vector<std::string>* cuts = nullptr) {
  try {
    return parse_language_texts(plain, code, cuts);
  } catch (const FileError& error) {
    throw FileError(read_error_text(language_file()) + "\r\n" + error.what());
  }
}

// As above, when they hold every text the program shows.
std::vector<std::string> shown_language_texts(std::string_view plain, const std::string& code,
                                              std::vector<std::string>* cuts = nullptr) {
  std::vector<std::string> texts = language_texts(plain, code, cuts);
  check_shown_texts(texts, code, language_file());
  return texts;
}

// Tells the user which texts of the loaded language were too long to show
// whole: the file is damaged, though every text it needs is there.
void report_cut_texts(const std::vector<std::string>& cuts) {
  if (cuts.empty()) return;
  constexpr std::size_t kLinesShown = 5;
  std::string text = read_error_text(language_file());
  for (std::size_t i = 0; i < cuts.size() && i < kLinesShown; ++i) text += "\r\n" + cuts[i];
  if (cuts.size() > kLinesShown) text += "\r\n(and " + std::to_string(cuts.size() - kLinesShown) + " more)";
  ui().show_message(text);
}

bool serves_language(std::string_view plain, const std::string& code) {
  try {
    shown_language_texts(plain, code);
    return true;
  } catch (const FileError&) {
    return false;
  }
}

std::string read_language_file() { return read_scrambled_file(language_file()); }

}  // namespace

const std::string& lang_text(int number) { return lang_text(LangTable, number); }

CodePage legacy_code_page() { return language_code_page(AppState.language); }

std::string text_bound_hint(std::size_t most_bytes) {
  std::string hint = lang_text(text::field_bound_hint);
  if (const std::size_t at = hint.find("%n"); at != std::string::npos) hint.replace(at, 2, std::to_string(most_bytes));
  return hint;
}

void load_language(const std::string& code) {
  std::vector<std::string> cuts;
  LangTable = language_texts(read_language_file(), code, &cuts);
  report_cut_texts(cuts);
}

void set_language(const std::string& code) {
  std::vector<std::string> cuts;
  LangTable = shown_language_texts(read_language_file(), code, &cuts);
  report_cut_texts(cuts);
}

void check_language(const std::string& code) { shown_language_texts(read_language_file(), code); }

bool language_served(const std::string& code) {
  try {
    check_language(code);
    return true;
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return false;
  }
}

std::optional<int> first_served_language() {
  std::string plain;
  try {
    plain = read_language_file();
  } catch (const FileError&) {
    return std::nullopt;
  }
  for (int language = 0; !language_code(language).empty(); ++language)
    if (serves_language(plain, language_code(language))) return language;
  return std::nullopt;
}

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
