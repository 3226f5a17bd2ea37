// What the catalogue editor window does besides showing widgets: the texts it
// edits (the catalogue sections, the price and code table and the translation
// file as plain text), the structure-type list and its add, modify and remove
// commands, and the save question on closing. Structure-type edits change
// StructureTypes at once (and are put back when they are not saved);
// everything else takes effect at the next start.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/base/code_row_options.h"
#include "model/catalogue/catalogue.h"

// The six edit fields of a structure type: short, long, detail and module
// text numbers, shelf suffix and height offset (mm), as typed.
using StructureTypeFields = std::array<std::string, 6>;

StructureTypeFields structure_type_fields(const Tstructure_type& type);
// The translated texts of the four text numbers of a type.
std::array<std::string, 4> structure_type_texts(const Tstructure_type& type);
// One line per structure type: "[" + index + "] " + its short text.
std::vector<std::string> structure_type_list();

// Each converts all six fields first and changes nothing when one does not
// convert (a message says which); then asks, changes StructureTypes and tells.
// True when StructureTypes changed.
bool add_structure_type(const StructureTypeFields& fields);
bool modify_structure_type(int index, const StructureTypeFields& fields);
// Asks, then removes the type; later types move one place up.
bool remove_structure_type(int index);

// A structure type added (the type itself) or removed, by its place.
struct StructureTypeChange {
  OptionColumnChange column;
  Tstructure_type added;
};

// The structure types as the editor opened on them, and those added and
// removed since, in order: the option columns of the codes table and the
// types of the other unit mode's catalogue follow them on saving.
struct EditedStructureTypes {
  std::vector<Tstructure_type> opened;
  std::vector<StructureTypeChange> changes;
};

// Everything the editor edits: the texts it shows, read when it opens, and
// its structure-type changes.
struct CatalogueEditorTexts {
  CatalogueMemos memos;
  std::string codes_table;   // user/codici.dat, lines joined by "\n"
  std::string translations;  // data/lang.dat, lines joined by "\n"
  EditedStructureTypes structure_types;
};

// "Aggiungi" and "Rimuovi" in the open editor: as above, and the codes text
// shown gains the type's option column (empty: not available) or loses it at
// its place in every row, so what the user edits there is what is saved.
bool add_structure_type(CatalogueEditorTexts& texts, const StructureTypeFields& fields);
bool remove_structure_type(CatalogueEditorTexts& texts, int index);

// Reads the three files. Raises FileError.
CatalogueEditorTexts load_catalogue_editor_texts();
// The closing question: on Yes saves the catalogue, the code table and the
// translations, and with structure types added or removed the other unit
// mode's catalogue when it held as many types (the code table's option
// columns serve both by their places), all in one save; CodesTable follows
// the types too. On No the structure types are put back as the editor found
// them, as the files still hold them. False keeps the window open, nothing
// written: the catalogue texts could not be saved as they stand, or the
// translations would leave the language in use or stored_language, the one
// the preferences file holds for the next start, without a text it shows (the
// start-up would refuse them), or a price of the code table is beyond the
// largest a price list holds (the next start would call its row damage), or a
// file could not be written; a message said why, so no edit is lost.
bool close_catalogue_editor(const CatalogueEditorTexts& texts, int stored_language);
