// Stages the shipped data set beside the program: every runtime file is built
// from the readable sources under data/ with the program's own writers (and
// the code table rows pass the program's own row parser first), so a shipped
// file always has exactly the format the program reads.
//
//   stage_data <source folder> <stage folder>

#include <filesystem>
#include <iostream>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "model/state/headless_ui.h"
#include "model/text/translations.h"
#include "sources/catalogue_source.h"
#include "sources/codes_source.h"
#include "sources/preferences_source.h"
#include "sources/source_text.h"
#include "sources/table_source.h"
#include "sources/texts_source.h"

namespace fs = std::filesystem;

namespace {

// A message the program's readers would show a user is a fault of the sources here.
class FailingUi : public HeadlessUi {
 public:
  void show_message(const std::string& text) override { throw FileError(text); }
};

struct Folders {
  fs::path sources;   // data/ of the source tree
  fs::path stage;     // the program folder being staged
  fs::path defaults;  // defaults/ of the stage, whose user/ is copied on first start
};

std::string read_source(const fs::path& path) { return checked_utf8(read_file_bytes(path.string()), path.string()); }

void stage_catalogue(const Folders& at, const std::string& source_name, const std::string& file_name) {
  fs::path source = at.sources / "catalogue" / source_name;
  CatalogueSource catalogue = parse_catalogue_source(read_source(source), source.string());
  write_catalogue_file((at.stage / "data" / file_name).string(), catalogue.memos, catalogue.structure_types);
}

void stage_texts(const Folders& at) {
  std::vector<LanguageTexts> languages;
  for (int language = 0; !language_code(language).empty(); ++language) {
    std::string code = language_code(language);
    fs::path source = at.sources / "texts" / (code + ".txt");
    languages.push_back({code, parse_texts_source(read_source(source), source.string())});
  }
  write_scrambled_file((at.stage / "data" / "lang.dat").string(), language_file_text(languages, true));
}

// The option columns of the code table follow the structure types of the catalogue.
void load_staged_catalogue(const Folders& at) {
  ProgramDir = at.stage.string();
  AppState.inches = false;
  load_data_file(1);
}

// The source rows are already in the file's row format: each is parsed by the
// program's own row parser, so a row the program would refuse stops the build,
// and the table is written by the program's own writer.
void stage_codes(const Folders& at) {
  Tdb_codici table;
  for (const CodeSourceFile& file : code_source_files()) {
    fs::path source = at.sources / "codes" / file.name;
    for (const std::string& row : code_source_rows(read_source(source))) {
      try {
        table.push_back(parse_code_row(row, StructureTypes.size()));
      } catch (const FileError& error) {
        throw FileError(source.string() + ": a row is not in the code table's format: " + error.what() + "\n  " + row);
      }
    }
  }
  write_codes_table_file((at.defaults / "user" / "codici.dat").string(), table);
}

void stage_preferences(const Folders& at) {
  fs::path source = at.sources / "preferences" / "preferenze.txt";
  std::string file = preferences_file_text(preferences_source_values(read_source(source), source.string()));
  parse_preferences_text(file, source.string(), AppState, Company);
  write_preferences_file((at.defaults / "user" / "preferenze.dat").string(), AppState, Company);
}

void stage_tables(const Folders& at) {
  for (const char* name : {"maxLoad.txt", "CV_kits.txt", "CV_kits_larg.txt"}) {
    TextWriter table;
    for (const std::string& line : split_lines(table_source_text(parse_table_source(read_source(at.sources / name)))))
      table.line(line);
    write_file_safely((at.stage / "data" / name).string(), table.take());
  }
}

// The spreadsheet quote's template description goes as it stands, with the
// program's line ends; the export's tests read the staged copy.
void stage_spreadsheet_template(const Folders& at) {
  TextWriter text;
  for (const std::string& line : split_lines(read_source(at.sources / "quote_template.txt"))) text.line(line);
  write_file_safely((at.stage / "data" / "quote_template.txt").string(), text.take());
}

void stage_help(const Folders& at) {
  for (const fs::directory_entry& page : fs::directory_iterator(at.sources / "help"))
    if (page.path().extension() == ".html" || page.path().extension() == ".css")
      write_file_safely((at.stage / "help" / page.path().filename()).string(), read_source(page.path()));
}

void stage_data_set(const Folders& at) {
  for (const fs::path& folder :
       {at.stage / "data", at.stage / "help", at.stage / "obj_L", at.stage / "obj_H", at.defaults / "user"})
    fs::create_directories(folder);
  stage_catalogue(at, "data.txt", "data.dat");
  stage_catalogue(at, "data_in.txt", "data_in.dat");
  stage_texts(at);
  load_staged_catalogue(at);
  stage_codes(at);
  stage_preferences(at);
  stage_tables(at);
  stage_spreadsheet_template(at);
  stage_help(at);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: stage_data <source folder> <stage folder>\n";
    return 2;
  }
  FailingUi failing;
  set_ui(&failing);
  try {
    fs::path stage = argv[2];
    stage_data_set(Folders{argv[1], stage, stage / "defaults"});
  } catch (const std::exception& error) {
    std::cerr << "stage_data: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
