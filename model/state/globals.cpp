#include "model/state/globals.h"

#include <ctime>

#include "model/state/state_fields.h"
#include "model/state/text_table.h"

std::string ProgramDir;
std::string UserDir;
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

std::string user_folder() { return UserDir.empty() ? program_path("user") : UserDir; }

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

  reset_fields_for_new_project(AppState);

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
