// The part meshes of one folder (obj_L/ or obj_H/), read as they are on disk
// at each build. A name is found exact first, then case-insensitively in the
// folder's listing. Each file is parsed once and its meshes are copied into
// every part form that shows it (a large cell asks for each panel thousands
// of times); a later build reuses the parsed file only while the file keeps
// its size and modification time, and looks every name up anew.
// A missing part raises the library's "File not found" error for the path the
// name gives; a part that exists but cannot be read leaves its form empty.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class TGLFreeForm;

class PartLibrary {
 public:
  explicit PartLibrary(std::filesystem::path folder);
  ~PartLibrary();
  PartLibrary(const PartLibrary&) = delete;
  PartLibrary& operator=(const PartLibrary&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  // Forgets what the folder held: the next look-ups see it as it is now.
  void begin_build();
  // The file's path, or nothing when the folder holds no such file in any case.
  std::optional<std::filesystem::path> resolve(const std::string& name);
  bool exists(const std::string& name) { return resolve(name).has_value(); }
  // Fills the form with the part's meshes.
  void load_into(TGLFreeForm& form, const std::string& name);

 private:
  struct ParsedFile {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time;
    std::unique_ptr<TGLFreeForm> mesh;  // empty when the file could not be read
  };

  std::optional<std::filesystem::path> look_up(const std::string& name);
  const TGLFreeForm& parsed(const std::string& name);
  const TGLFreeForm& current(const std::filesystem::path& path);

  std::filesystem::path folder_;
  // What this build found: the listing, where each name is, each name's mesh.
  std::optional<std::unordered_map<std::string, std::string>> listing_;  // lower-case name -> name
  std::unordered_map<std::string, std::optional<std::filesystem::path>> resolved_;
  std::unordered_map<std::string, const TGLFreeForm*> checked_;
  // Kept across builds, each checked against its file once a build.
  std::map<std::filesystem::path, ParsedFile> files_;
};
