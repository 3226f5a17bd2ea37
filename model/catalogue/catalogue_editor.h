// What the catalogue editor window does besides showing widgets: the texts it
// edits (the catalogue sections, the price and code table and the translation
// file as plain text), the structure-type list and its add, modify and remove
// commands, and the save question on closing. Structure-type edits change
// StructureTypes at once; everything else takes effect at the next start.
#pragma once

#include <array>
#include <string>
#include <vector>

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

// Everything the editor shows as text, read when it opens.
struct CatalogueEditorTexts {
  CatalogueMemos memos;
  std::string codes_table;   // user/codici.dat, lines joined by "\n"
  std::string translations;  // data/lang.dat, lines joined by "\n"
};

// Reads the three files. Raises FileError.
CatalogueEditorTexts load_catalogue_editor_texts();
// The closing question: on Yes saves the catalogue, the code table and the
// translations. False keeps the window open, nothing written: the catalogue
// texts could not be saved as they stand, or the translations would leave the
// language in use or stored_language, the one the preferences file holds for
// the next start, without a text it shows (the start-up would refuse them),
// or a price of the code table is beyond the largest a price list holds (the
// next start would call its row damage); a message said why, so no edit is lost.
bool close_catalogue_editor(const CatalogueEditorTexts& texts, int stored_language);
