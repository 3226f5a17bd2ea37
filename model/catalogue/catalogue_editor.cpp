#include "model/catalogue/catalogue_editor.h"

#include <climits>
#include <filesystem>

#include "model/base/code_row_options.h"
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
const char* const kCodesFile = "codici.dat";

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
// every price list (model/base/prices.h); the price is the last column but
// one. Rows the reader cannot take are left to it. Empty when every price is one.
std::string codes_table_refusal(const std::string& plain) {
  const std::vector<std::string> lines = split_lines(plain);
  for (std::size_t i = 1; i < lines.size(); ++i) {  // line 1 is the header
    if (is_blank_line(lines[i])) continue;
    const Tstringlist fields = split_tab_fields(lines[i]);
    if (!row_option_columns(fields.size(), StructureTypes.size())) continue;
    double price = 0.0;
    if (std::string reason = price_refusal(fields[fields.size() - 2], ',', price); !reason.empty())
      return std::string(kNotSaved) + kCodesRefused + "line " + std::to_string(i + 1) + ": " + reason + ".";
  }
  return {};
}

// The codes text (lines joined by "\n", the header first) with the change
// made in every row of option_count structure types or fewer.
std::string codes_text_with_change(const std::string& text, const OptionColumnChange& change,
                                   std::size_t option_count) {
  std::vector<std::string> lines = split_lines(text);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    Tstringlist fields = split_tab_fields(lines[i]);
    const std::optional<std::size_t> columns = row_option_columns(fields.size(), option_count);
    if (is_blank_line(lines[i]) || !columns) continue;
    const auto first = fields.begin() + kCodeRowKeyColumns;
    const auto end = first + static_cast<std::ptrdiff_t>(*columns);
    std::vector<std::string> options(first, end);
    change_option_column(options, change, option_count);
    fields.insert(fields.erase(first, end), options.begin(), options.end());
    lines[i] = fields.front();
    for (std::size_t f = 1; f < fields.size(); ++f) lines[i] += '\t' + fields[f];
  }
  return editor_text(lines);
}

// Records a change of the structure types and makes it in the codes text.
void follow_structure_types(CatalogueEditorTexts& texts, const StructureTypeChange& change) {
  const std::size_t before = change.column.added ? StructureTypes.size() - 1 : StructureTypes.size() + 1;
  texts.codes_table = codes_text_with_change(texts.codes_table, change.column, before);
  texts.structure_types.changes.push_back(change);
}

// The types after the changes, from those the editor opened on.
void replay_changes(std::vector<Tstructure_type>& types, const EditedStructureTypes& edits) {
  for (const StructureTypeChange& change : edits.changes) {
    const auto at = types.begin() + static_cast<std::ptrdiff_t>(change.column.index);
    if (change.column.added) types.insert(at, change.added);
    if (!change.column.added) types.erase(at);
  }
}

// The other unit mode's catalogue with the same types added and removed,
// when it held as many types as this one did: the option columns of the
// codes table serve the types of both by their places, and the two must keep
// their types in step. Nothing when it did not, or cannot be read: it is then
// left as it is.
std::optional<FileContent> other_catalogue_following(const EditedStructureTypes& edits) {
  const std::string path = other_catalogue_path();
  if (edits.changes.empty() || !std::filesystem::exists(path)) return std::nullopt;
  StoredCatalogue other;
  try {
    other = read_stored_catalogue(path);
  } catch (const FileError&) {
    return std::nullopt;
  }
  if (other.structure_types.size() != edits.opened.size()) return std::nullopt;
  replay_changes(other.structure_types, edits);
  return scrambled_content(path, stored_catalogue_text(other));
}

// The price and code table in memory follows the saved types, so that its
// next write keeps their columns.
void follow_in_codes_table(const EditedStructureTypes& edits) {
  std::size_t option_count = edits.opened.size();
  for (const StructureTypeChange& change : edits.changes) {
    for (Tcodice& row : CodesTable) change_option_column(row.options, change.column, option_count);
    option_count = change.column.added ? option_count + 1 : option_count - 1;
  }
}

// Saves everything in one write; false after a message when it is refused or fails.
bool save_editor_files(const CatalogueEditorTexts& texts, const std::string& codes_table,
                       const std::string& translations) {
  std::vector<FileContent> together;
  std::string note;
  if (std::optional<FileContent> other = other_catalogue_following(texts.structure_types)) {
    note = "\r\nThe structure types added and removed are saved in " + other->path +
           " too: the price and code table serves both catalogues.";
    together.push_back(std::move(*other));
  }
  together.push_back(scrambled_content(user_path(kCodesFile), codes_table));
  together.push_back(scrambled_content(program_path(kTranslationFile), translations));
  try {
    return save_data_file(texts.memos, std::move(together), note);
  } catch (const FileError& error) {
    ui().show_message(std::string(error.what()));
    return false;
  }
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

bool add_structure_type(CatalogueEditorTexts& texts, const StructureTypeFields& fields) {
  if (!add_structure_type(fields)) return false;
  follow_structure_types(texts, {{true, StructureTypes.size() - 1}, StructureTypes.back()});
  return true;
}

bool remove_structure_type(CatalogueEditorTexts& texts, int index) {
  if (!remove_structure_type(index)) return false;
  follow_structure_types(texts, {{false, static_cast<std::size_t>(index)}, {}});
  return true;
}

CatalogueEditorTexts load_catalogue_editor_texts() {
  return {load_data_memos(),
          editor_text(split_lines(read_scrambled_file(user_path(kCodesFile)), legacy_code_page())),
          editor_text(split_lines(read_scrambled_file(program_path(kTranslationFile)))),
          {StructureTypes, {}}};
}

bool close_catalogue_editor(const CatalogueEditorTexts& texts, int stored_language) {
  if (!ui().ask_yes_no("Salvare le modifiche nel file nel file " + catalogue_path())) {
    StructureTypes = texts.structure_types.opened;
    return true;
  }
  const std::string translations = editor_file_text(texts.translations);
  const std::string codes_table = editor_file_text(texts.codes_table);
  for (const std::string& refusal :
       {translations_refusal(translations, stored_language), codes_table_refusal(codes_table)}) {
    if (refusal.empty()) continue;
    ui().show_message(refusal);
    return false;
  }
  if (!save_editor_files(texts, codes_table, translations)) return false;
  follow_in_codes_table(texts.structure_types);
  return true;
}
