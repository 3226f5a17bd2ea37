// The program's source tree as the architecture tests read it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <vector>

// The source root: RACKWRIGHT_SOURCE_DIR as the test runner sets it, else the working folder.
inline std::filesystem::path source_root() {
  const char* dir = std::getenv("RACKWRIGHT_SOURCE_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path(".");
}

// Every header and source file below a folder of the tree.
inline std::vector<std::filesystem::path> source_files(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const auto extension = entry.path().extension();
    if (extension == ".h" || extension == ".cpp") files.push_back(entry.path());
  }
  return files;
}
