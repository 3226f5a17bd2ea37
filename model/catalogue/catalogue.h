// The catalogue: the sizes, crossbar sets, shelf compositions and structure
// types the program may use, stored scrambled in data/data.dat (data/data_in.dat
// in inch mode; both hold millimetres). The file has six sections, each a count
// line and that many lines; in the first five a line ending in "*" is an
// optional entry, loaded only when optional sizes are on.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/base/file_io.h"
#include "model/base/records.h"

// The five sections of text lines, in file order.
enum class CatalogueSection { Heights, Crossbars, Widths, Lengths, Compositions };
inline constexpr int kCatalogueTextSections = 5;

// The text of each of the five sections as the catalogue editor shows it: the
// stored lines, "*" included, joined by "\n".
using CatalogueMemos = std::array<std::string, kCatalogueTextSections>;

// Lines as an editor shows them: joined by "\n".
std::string editor_text(const std::vector<std::string>& lines);

// data/data_in.dat in inch mode, else data/data.dat.
std::string catalogue_path();
// The catalogue of the other unit mode: data/data.dat in inch mode, else data/data_in.dat.
std::string other_catalogue_path();

// Loads the catalogue into HeightList, CrossbarLists, WidthList, LengthList,
// Compositions and StructureTypes; optional entries only when optional_sizes
// is 1. Sizes may use "," or "." as decimal mark and must be above zero;
// crossbar sets and compositions are taken as written. Raises FileError naming
// the file and line; the globals then keep what they held.
void load_data_file(int optional_sizes);

// The lengths the catalogue of a unit mode holds with or without the optional
// sizes, read without loading anything. Raises FileError.
Tdimensioni catalogue_lengths(bool inches, int optional_sizes);

// The five text sections of the catalogue file as stored. Raises FileError.
CatalogueMemos load_data_memos();

// A catalogue file as stored: its five text sections and its structure types.
struct StoredCatalogue {
  CatalogueMemos memos;
  std::vector<Tstructure_type> structure_types;
};
// Raises FileError.
StoredCatalogue read_stored_catalogue(const std::string& path);
// The plain content of a catalogue file, its sections without blank lines and
// not held to their form again.
std::string stored_catalogue_text(const StoredCatalogue& catalogue);

// The first line of the texts that lacks the form of its section (a size,
// sizes joined by "-", or the letters A and B, each optionally ending in "*"),
// as a message for the user; empty when all can be saved. Blank lines do not count.
std::string catalogue_fault(const CatalogueMemos& memos, const std::vector<Tstructure_type>& structure_types);
// The plain content of a catalogue file from the five texts (blank lines
// dropped) and the structure types. Raises FileError when it is not valid.
std::string catalogue_file_text(const CatalogueMemos& memos, const std::vector<Tstructure_type>& structure_types);
// Writes a catalogue file from the five texts and the structure types. Raises
// FileError, before writing anything when the content is not valid; the old
// file is kept on any failure.
void write_catalogue_file(const std::string& path, const CatalogueMemos& memos,
                          const std::vector<Tstructure_type>& structure_types);
// Saves the edited texts with StructureTypes to the catalogue file of the
// current unit mode, and the files together with it in the same save (all or
// nothing), and says where, note after it. Content that lacks its form is
// refused with a message, and false is returned. Write failures raise
// FileError; no file has then changed.
bool save_data_file(const CatalogueMemos& memos, std::vector<FileContent> together = {}, const std::string& note = {});

// A shelf suffix is stored on one line of the file, so it cannot hold a line break.
bool shelf_suffix_fits(const std::string& suffix);

// The characters the editor lets the user type into a section: its digits,
// marks and letters, Backspace and Enter.
bool memo_accepts_character(CatalogueSection section, char c);

// The structure type a cell names by its structure_type. A type removed from
// the catalogue since falls back to type 0 (a blank type when there is none).
const Tstructure_type& structure_type_for_display(int structure_type);
