// The program's shared state: the open project, the catalogue, the stored user
// files and the translation table. One GUI thread reads and writes them.
#pragma once

#include <string>
#include <vector>

#include "model/base/records.h"

extern std::string ProgramDir;  // program folder, no trailing separator
// The user folder the start chose, no trailing separator. Empty until a start
// chooses one: the program folder's user/ then serves (the tests' own folders).
extern std::string UserDir;
extern Tvar_amb AppState;
extern int UndoPosition;  // -1 when the history is empty
extern Tcells Cells;
extern std::vector<Tundo_snapshot> UndoHistory;

// Catalogue (millimetres, or inches as loaded).
extern Tdimensioni HeightList;
extern Tdimensioni WidthList;
extern Tdimensioni LengthList;
extern std::vector<Tstringlist> CrossbarLists;
extern std::vector<std::string> Compositions;
extern std::vector<Tstructure_type> StructureTypes;

extern Tdb_codici CodesTable;
extern std::vector<Tcliente> Customers;
extern Tprv QuoteHeader;
extern std::vector<Tarchive_entry> ArchiveList;
extern Tazienda Company;
extern std::vector<Tdett_prv> QuoteDetails;  // one element per cell
extern Tres KitTable;
extern Tres KitWidthTable;
extern Tres MaxLoadTable;
extern std::vector<std::string> LangTable;

extern const std::string AppTitle;  // "Rackwright V1.12"

// Full path of a file below the program folder: program_path("data/maxLoad.txt").
std::string program_path(const std::string& relative);

// The folder of the user's own files (projects, archive index, customers,
// prices, preferences), without a trailing slash, and a file inside it:
// user_path("clienti.dat"). Every user file is named through these two.
std::string user_folder();
std::string user_path(const std::string& relative);

// Restores the defaults of the editing state and the quote header and reloads
// the maximum-load table. Preferences, palette, templates, Cells and Customers
// are left as they are.
void reset_globals();

// Today's date as "dd/mm/yyyy".
std::string today_text();
