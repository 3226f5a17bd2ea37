#include "model/state/globals.h"

#include <ctime>

#include "model/state/text_table.h"

std::string ProgramDir;
Tvar_amb AppState;
int UndoPosition = -1;
Tcells Cells;
std::vector<Tundo_snapshot> UndoHistory;
Tdimensioni HeightList;
Tdimensioni WidthList;
Tdimensioni LengthList;
std::vector<Tstringlist> CrossbarLists;
std::vector<std::string> Compositions;
std::vector<Tstructure_type> StructureTypes;
Tdb_codici CodesTable;
std::vector<Tcliente> Customers;
Tprv QuoteHeader;
std::vector<Tarchive_entry> ArchiveList;
Tazienda Company;
std::vector<Tdett_prv> QuoteDetails;
Tres KitTable;
Tres KitWidthTable;
Tres MaxLoadTable;
std::vector<std::string> LangTable;

const std::string AppTitle = "Rackwright V1.12";

std::string program_path(const std::string& relative) { return ProgramDir + "/" + relative; }

std::string user_folder() { return program_path("user"); }

std::string user_path(const std::string& relative) { return user_folder() + "/" + relative; }

std::string today_text() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%d/%m/%Y", &local);
  return text;
}

void reset_globals() {
  UndoPosition = -1;

  AppState.current_cell = 0;
  AppState.file_name.clear();
  AppState.modified = 0;
  AppState.zoom = 1.0;
  AppState.pan_x = 0.0;
  AppState.pan_y = 0.0;
  AppState.mouse_x = 0;
  AppState.mouse_y = 0;
  AppState.outline_mode = 0;
  AppState.segment_pending = 0;
  AppState.select_walls_mode = 0;
  AppState.select_modules_mode = 0;
  AppState.place_free_module_mode = 0;
  AppState.place_compact_mode = 0;
  AppState.rubber_band = {-1, -1, -1, -1};

  QuoteHeader.customer = Tcliente{};
  QuoteHeader.customer.notes = {""};
  QuoteHeader.date = today_text();
  QuoteHeader.number.clear();
  QuoteHeader.from.clear();
  QuoteHeader.customer_ref.clear();
  QuoteHeader.note1.clear();
  QuoteHeader.note2.clear();
  QuoteHeader.drawing.clear();
  QuoteHeader.discount1 = 0.0;
  QuoteHeader.discount2 = 0.0;
  QuoteHeader.discount3 = 0.0;
  QuoteHeader.discount4 = 0.0;

  load_text_table(program_path("data/maxLoad.txt"), MaxLoadTable);
}
