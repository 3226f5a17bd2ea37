// What the load and the project index say of a file: a file that is no
// project must be refused by both, alike.
#pragma once

#include <array>
#include <string>

#include "model/base/file_io.h"
#include "model/files/project_file.h"

// The errors of load_project and read_project_head on the file, in that
// order; an empty one where the file was read as a project.
inline std::array<std::string, 2> project_refusals(const std::string& path) {
  auto refusal = [](auto read) {
    try {
      read();
    } catch (const FileError& error) {
      return std::string(error.what());
    }
    return std::string();
  };
  return {refusal([&] { load_project(path); }), refusal([&] { read_project_head(path); })};
}

// Whether a refusal says first, in plain words, that the file at path is no
// project, and then the line that told it.
inline bool says_no_project(const std::string& refusal, const std::string& path) {
  return refusal.starts_with(path + " is not a project file: ") && refusal.find("\r\nLine ") != std::string::npos;
}
