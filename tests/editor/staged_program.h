// A fresh program folder for the editor's tests: the staged data, help pages,
// part meshes and default user files copied into a temporary folder that is
// ProgramDir, with an empty user/ folder as on a first start.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/files/default_user_files.h"
#include "support/program_dir.h"

class StagedProgramDir : public TempProgramDir {
 public:
  StagedProgramDir() {
    const char* stage = std::getenv("RACKWRIGHT_STAGE_DIR");
    for (const char* folder : {"data", "help", "defaults", "obj_L", "obj_H"}) {
      std::filesystem::copy(
          std::filesystem::path(stage ? stage : "") / folder, path() / folder,
          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    }
    install_default_user_files();
  }
};
