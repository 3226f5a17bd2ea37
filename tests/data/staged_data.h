// The staged data set and its sources, as ctest names them; and the state the
// data tests give the program's globals.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "model/base/file_io.h"
#include "model/base/units.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "model/text/translations.h"

inline std::string environment_folder(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The program folder the build staged.
inline std::string stage_dir() { return environment_folder("RACKWRIGHT_STAGE_DIR"); }
// The sources of the data set.
inline std::string source_dir() { return environment_folder("RACKWRIGHT_SOURCE_DIR") + "/data"; }
inline std::string read_source(const std::string& relative) { return read_file_bytes(source_dir() + "/" + relative); }

// The eight interface languages by code.
inline std::vector<std::string> language_codes() {
  std::vector<std::string> codes;
  for (int language = 0; !language_code(language).empty(); ++language) codes.push_back(language_code(language));
  return codes;
}

// Makes the staged folder the program folder, in millimetres or inches.
inline void use_staged_program(bool inches = false) {
  ProgramDir = stage_dir();
  AppState.inches = inches;
  AppState.unit_factor = inches ? MmPerInch : 1.0;
}

// The folder whose user/ holds the default user files.
inline void use_staged_defaults() { ProgramDir = stage_dir() + "/defaults"; }

// Reads the default price and code table, with the option columns of the catalogue.
inline void load_staged_code_table() {
  use_staged_program();
  load_data_file(1);
  use_staged_defaults();
  read_codes_table();
}
