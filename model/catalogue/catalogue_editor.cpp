#include "model/catalogue/catalogue_editor.h"

#include <climits>

#include "model/base/file_io.h"
#include "model/base/prices.h"
#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/text_table.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"

namespace {

const char* const kTranslationFile = "data/lang.dat";
const char* const kNotSaved = "The changes were not saved (catalogue, codes and translations) because ";
const char* const kTranslationsRefused = "the translations as edited fail: ";
const char* const kCodesRefused = "the codes table as edited fails: ";
// Every column of a row of the codes table but the options, one per structure
// type; the price is the last but one (model/files/codes_table.cpp).
constexpr std::size_t kCodesFixedColumns = 10;

bool to_int(const std::string& text, int& value) {
  long long parsed = 0;
  if (!parse_integer(text, parsed) || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

// The type the fields describe; false, with a message, when one does not convert.
bool structure_type_from_fields(const StructureTypeFields& fields, Tstructure_type& type) {
  Tstructure_type result;
  const std::array<std::pair<int*, const std::string*>, 5> numbers{{{&result.short_text, &fields[0]},
                                                                    {&result.long_text, &fields[1]},
                                                                    {&result.detail_text, &fields[2]},
                                                                    {&result.module_text, &fields[3]},
                                                                    {&result.height_offset, &fields[5]}}};
  for (const auto& [target, text] : numbers) {
    if (!to_int(*text, *target)) {
      ui().show_message("The structure type was not changed: \"" + *text + "\" is not a whole number.");
      return false;
    }
  }
  if (!shelf_suffix_fits(fields[4])) {
    ui().show_message("The structure type was not changed: the shelf suffix cannot hold a line break.");
    return false;
  }
  result.shelf_suffix = fields[4];
  type = result;
  return true;
}

bool valid_index(int index) { return index >= 0 && static_cast<std::size_t>(index) < StructureTypes.size(); }

// The plain file content of a memo's text.
std::string editor_file_text(const std::string& text) {
  TextWriter writer;
  for (const std::string& line : split_lines(text)) writer.line(line);
  return writer.take();
}

// Why nothing may be saved when the translations, plain as the file would
// hold them, hold a text the next start would cut (the window takes none), or
// no longer serve the language in use or the stored one: the next start would
// refuse them. Empty when they serve both.
std::string translations_refusal(const std::string& plain, int stored_language) {
  const std::vector<std::string> lines = split_lines(plain);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].size() > kTranslationLineBytes)
      return std::string(kNotSaved) + kTranslationsRefused + "line " + std::to_string(i + 1) + " holds a text of " +
             std::to_string(lines[i].size() - (kTranslationLineBytes - kTextBytes)) + " bytes, more than the " +
             std::to_string(kTextBytes) + " a translation holds.";
  }
  for (int language : {AppState.language, stored_language}) {
    const std::string code = language_code(language);
    if (code.empty()) continue;
    if (std::string reason = translation_refusal(plain, code); !reason.empty())
      return std::string(kNotSaved) + kTranslationsRefused + reason + ".";
  }
  return {};
}

// Why nothing may be saved when a price of the codes table, plain as the
// file would hold it, is one the next start would call damage: the bound of
// every price list (model/base/prices.h). Rows of another column count are
// left to the reader. Empty when every price is one.
std::string codes_table_refusal(const std::string& plain) {
  const std::vector<std::string> lines = split_lines(plain);
  for (std::size_t i = 1; i < lines.size(); ++i) {  // line 1 is the header
    if (is_blank_line(lines[i])) continue;
    const Tstringlist fields = split_tab_fields(lines[i]);
    if (fields.size() != kCodesFixedColumns + StructureTypes.size()) continue;
    double price = 0.0;
    if (std::string reason = price_refusal(fields[fields.size() - 2], ',', price); !reason.empty())
      return std::string(kNotSaved) + kCodesRefused + "line " + std::to_string(i + 1) + ": " + reason + ".";
  }
  return {};
}

}  // namespace

StructureTypeFields structure_type_fields(const Tstructure_type& type) {
  return {std::to_string(type.short_text),
          std::to_string(type.long_text),
          std::to_string(type.detail_text),
          std::to_string(type.module_text),
          type.shelf_suffix,
          std::to_string(type.height_offset)};
}

std::array<std::string, 4> structure_type_texts(const Tstructure_type& type) {
  return {lang_text(type.short_text), lang_text(type.long_text), lang_text(type.detail_text),
          lang_text(type.module_text)};
}

std::vector<std::string> structure_type_list() {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < StructureTypes.size(); ++i)
    lines.push_back("[" + std::to_string(i) + "] " + lang_text(StructureTypes[i].short_text));
  return lines;
}

bool add_structure_type(const StructureTypeFields& fields) {
  Tstructure_type type;
  if (!structure_type_from_fields(fields, type)) return false;
  if (!ui().ask_yes_no("Aggiungere il nuovo tipo di struttura?")) return false;
  StructureTypes.push_back(type);
  ui().show_message("Tipo struttura Aggiunto.");
  return true;
}

bool modify_structure_type(int index, const StructureTypeFields& fields) {
  Tstructure_type type;
  if (!valid_index(index) || !structure_type_from_fields(fields, type)) return false;
  if (!ui().ask_yes_no("Modificare il tipo di struttura?")) return false;
  StructureTypes[static_cast<std::size_t>(index)] = type;
  ui().show_message("Tipo struttura modificato.");
  return true;
}

bool remove_structure_type(int index) {
  if (!valid_index(index) || !ui().ask_yes_no("Eliminare la struttura selezionata?")) return false;
  StructureTypes.erase(StructureTypes.begin() + index);
  return true;
}

CatalogueEditorTexts load_catalogue_editor_texts() {
  return {load_data_memos(), editor_text(split_lines(read_scrambled_file(user_path("codici.dat")), legacy_code_page())),
          editor_text(split_lines(read_scrambled_file(program_path(kTranslationFile))))};
}

bool close_catalogue_editor(const CatalogueEditorTexts& texts, int stored_language) {
  if (!ui().ask_yes_no("Salvare le modifiche nel file nel file " + catalogue_path())) return true;
  const std::string translations = editor_file_text(texts.translations);
  const std::string codes_table = editor_file_text(texts.codes_table);
  for (const std::string& refusal :
       {translations_refusal(translations, stored_language), codes_table_refusal(codes_table)}) {
    if (refusal.empty()) continue;
    ui().show_message(refusal);
    return false;
  }
  if (!save_data_file(texts.memos)) return false;
  write_scrambled_file(user_path("codici.dat"), codes_table);
  write_scrambled_file(program_path(kTranslationFile), translations);
  return true;
}
