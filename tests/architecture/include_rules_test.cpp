// The arrows between the program's folders, read from the #include lines of
// every source file: the model knows no window, the 3-D library knows no part
// of the program, and the outputs know nothing of the editor.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Include {
  std::string path;  // from the source root for the program's own files, as written otherwise
  bool angled = false;
};

struct Rule {
  std::string folder;                  // the files it applies to
  std::vector<std::string> forbidden;  // folders they must not include
  bool no_qt = false;
};

// The cell-scene builder of the 3-D view, view3d/, is the one place that reads the model to build a scene.
const std::vector<Rule> rules = {
    {"model/", {"editor/", "output/", "gfx3d/", "scene3d/", "view3d/"}, true},
    {"gfx3d/", {"model/", "editor/", "output/", "view3d/"}, false},
    {"scene3d/", {"model/", "editor/", "output/", "view3d/"}, false},
    {"output/", {"editor/"}, false},
};

bool is_qt(const Include& include) {
  return include.angled && (include.path.starts_with("Q") || include.path.starts_with("qt"));
}

bool starts_with_folder(const std::string& path, const std::string& folder) { return path.starts_with(folder); }

// The rules a file at `from` (relative to the source root) breaks by including `include`.
std::vector<std::string> violations(const std::string& from, const Include& include) {
  std::vector<std::string> found;
  for (const Rule& rule : rules) {
    if (!starts_with_folder(from, rule.folder)) continue;
    if (rule.no_qt && is_qt(include)) found.push_back(from + " includes Qt: " + include.path);
    if (include.angled) continue;
    for (const std::string& folder : rule.forbidden)
      if (starts_with_folder(include.path, folder)) found.push_back(from + " includes " + include.path);
  }
  return found;
}

// A quoted include next to the file is taken from the file's folder, as the compiler does.
std::vector<Include> includes_of(const fs::path& root, const fs::path& file) {
  static const std::regex line_pattern(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<Include> found;
  std::ifstream in(file);
  std::string line;
  std::smatch match;
  while (std::getline(in, line)) {
    if (!std::regex_search(line, match, line_pattern)) continue;
    Include include{match[2].str(), match[1].str() == "<"};
    fs::path beside = file.parent_path() / include.path;
    if (!include.angled && fs::exists(beside))
      include.path = fs::relative(beside, root).lexically_normal().generic_string();
    found.push_back(include);
  }
  return found;
}

fs::path source_root() {
  const char* dir = std::getenv("RACKWRIGHT_SOURCE_DIR");
  return dir ? fs::path(dir) : fs::path(".");
}

}  // namespace

TEST(IncludeRules, EverySourceFileFollowsTheArrowsBetweenFolders) {
  const fs::path root = source_root();
  int files = 0;
  std::vector<std::string> found;
  for (const Rule& rule : rules) {
    if (!fs::exists(root / rule.folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / rule.folder)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".h" && extension != ".cpp") continue;
      ++files;
      const std::string from = fs::relative(entry.path(), root).generic_string();
      for (const Include& include : includes_of(root, entry.path()))
        for (std::string& violation : violations(from, include)) found.push_back(violation);
    }
  }
  EXPECT_GT(files, 100);  // the folders were found
  EXPECT_EQ(found, std::vector<std::string>{});
}

TEST(IncludeRules, AWrongArrowIsFound) {
  EXPECT_EQ(violations("model/state/globals.cpp", {"editor/qt_ui.h", false}).size(), 1u);
  EXPECT_EQ(violations("model/base/units.cpp", {"QString", true}).size(), 1u);
  EXPECT_EQ(violations("gfx3d/nodes.cpp", {"model/state/records.h", false}).size(), 1u);
  EXPECT_EQ(violations("scene3d/scene.cpp", {"output/pdf_writer.h", false}).size(), 1u);
  EXPECT_EQ(violations("output/print/print_window.cpp", {"editor/qt_ui.h", false}).size(), 1u);
  EXPECT_TRUE(violations("view3d/cell_scene.cpp", {"model/state/records.h", false}).empty());
  EXPECT_TRUE(violations("output/print/print_window.cpp", {"QPrinter", true}).empty());
  EXPECT_TRUE(violations("editor/qt_ui.cpp", {"model/state/ui_seam.h", false}).empty());
}
