#include "model/files/default_user_files.h"

#include <filesystem>
#include <system_error>

#include "model/base/file_io.h"
#include "model/state/globals.h"

const std::vector<std::string>& default_user_file_names() {
  static const std::vector<std::string> names{"codici.dat", "preferenze.dat"};
  return names;
}

std::vector<std::string> install_default_user_files() {
  std::error_code error;
  std::filesystem::create_directories(user_folder(), error);
  if (error) throw FileError("Cannot create the folder " + user_folder() + ": " + error.message());
  std::vector<std::string> installed;
  for (const std::string& name : default_user_file_names()) {
    std::string target = user_path(name);
    std::string source = program_path("defaults/user/" + name);
    if (std::filesystem::exists(target) || !std::filesystem::exists(source)) continue;
    write_file_safely(target, read_file_bytes(source));
    installed.push_back(name);
  }
  return installed;
}
