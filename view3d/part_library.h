// The part meshes of one folder (obj_L/ or obj_H/). A name is found exact
// first, then case-insensitively in the folder's listing, which is read once;
// where a name was found is remembered (a large cell asks for each panel
// thousands of times).
// Each file is parsed once and its meshes are copied into every part form
// that shows it. A part that is missing or cannot be read leaves its form
// empty and is remembered, once per build, for the window to report.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TGLFreeForm;

class PartLibrary {
 public:
  explicit PartLibrary(std::filesystem::path folder);
  ~PartLibrary();
  PartLibrary(const PartLibrary&) = delete;
  PartLibrary& operator=(const PartLibrary&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  // The file's path, or nothing when the folder holds no such file in any case.
  std::optional<std::filesystem::path> resolve(const std::string& name);
  bool exists(const std::string& name) { return resolve(name).has_value(); }
  // Fills the form with the part's meshes; a failure leaves it empty.
  void load_into(TGLFreeForm& form, const std::string& name);

  // Starts the failure list of a new build.
  void begin_build() { failures_.clear(); }
  // The paths of this build's parts that were missing or unreadable, each once, in order.
  const std::vector<std::string>& failures() const { return failures_; }

 private:
  std::optional<std::filesystem::path> look_up(const std::string& name);
  const TGLFreeForm* parsed(const std::string& name);
  void fail(const std::string& name);

  std::filesystem::path folder_;
  std::optional<std::unordered_map<std::string, std::string>> listing_;  // lower-case name -> name
  std::unordered_map<std::string, std::optional<std::filesystem::path>> resolved_;
  std::map<std::string, std::unique_ptr<TGLFreeForm>> meshes_;  // by name; null when it failed
  std::vector<std::string> failures_;
};
