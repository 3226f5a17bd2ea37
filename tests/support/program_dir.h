// A temporary program folder for the tests of the program's files: ProgramDir
// points at it, and it starts with empty data/ and user/ folders.
#pragma once

#include <filesystem>

#include "model/state/globals.h"
#include "support/temp_dir.h"

class TempProgramDir : public TempDir {
 public:
  TempProgramDir() {
    ProgramDir = path().string();
    std::filesystem::create_directories(path() / "data");
    std::filesystem::create_directories(path() / "user");
  }
};
