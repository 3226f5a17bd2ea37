// The arrows between the program's folders, read from the #include lines of
// every source file: the model knows no window, the 3-D library knows no part
// of the program, the outputs know nothing of the editor, the cell-scene
// builder knows neither, the plan drawing reads the model alone and draws
// without windows, the data generators use no windows, and only the
// GLX layer's own sources see the X11 headers (they define None, Bool, Status).
#include <gtest/gtest.h>

#include <algorithm>
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
  bool window_code = false;  // an output/ file that includes Qt Widgets
};

struct Rule {
  std::string folder;                  // the files it applies to
  std::vector<std::string> forbidden;  // folders they must not include
  bool no_qt = false;
  bool no_windows = false;  // no output/ windows code either
  bool no_widgets = false;  // no Qt Widgets headers
};

// The cell-scene builder of the 3-D view, view3d/, is the one place that reads the model to build a scene.
// The data generators are build tools: they may use the exports of output/, never its windows.
const std::vector<Rule> rules = {
    {"model/", {"editor/", "output/", "plan_drawing/", "gfx3d/", "scene3d/", "view3d/"}, true},
    {"gfx3d/", {"model/", "editor/", "output/", "view3d/"}, false},
    {"scene3d/", {"model/", "editor/", "output/", "view3d/"}, false},
    {"plan_drawing/", {"editor/", "output/", "gfx3d/", "scene3d/", "view3d/"}, false, false, true},
    {"output/", {"editor/"}, false},
    {"view3d/", {"editor/", "output/"}, false},
    {"data/", {"editor/"}, false, true},
    {"editor/", {}, false},
};

// The GLX layer: the context, display and window sources of gfx3d/ and the X11 child window of the viewer.
const std::vector<std::string> x11_sources = {
    "gfx3d/glx_binding.cpp",
    "gfx3d/glx_context.cpp",
    "gfx3d/glx_display.cpp",
    "gfx3d/glx_window_tracking.cpp",
    "scene3d/viewer/x11_child_window.cpp",
};

bool is_qt(const Include& include) {
  return include.angled && (include.path.starts_with("Q") || include.path.starts_with("qt"));
}

bool is_qt_widgets(const Include& include) {
  static const std::vector<std::string> headers = {"QDialog", "QWidget", "QMainWindow", "QApplication", "QTableWidget"};
  return include.angled &&
         (include.path.starts_with("QtWidgets/") || std::ranges::find(headers, include.path) != headers.end());
}

bool is_x11(const Include& include) {
  return include.angled &&
         (include.path.starts_with("X11/") || include.path.starts_with("GL/glx") || include.path.starts_with("xcb/"));
}

bool starts_with_folder(const std::string& path, const std::string& folder) { return path.starts_with(folder); }

// The rules a file at `from` (relative to the source root) breaks by including `include`.
std::vector<std::string> violations(const std::string& from, const Include& include) {
  std::vector<std::string> found;
  if (is_x11(include) && std::ranges::find(x11_sources, from) == x11_sources.end())
    found.push_back(from + " includes X11: " + include.path);
  for (const Rule& rule : rules) {
    if (!starts_with_folder(from, rule.folder)) continue;
    if (rule.no_qt && is_qt(include)) found.push_back(from + " includes Qt: " + include.path);
    if (rule.no_widgets && is_qt_widgets(include)) found.push_back(from + " includes Qt Widgets: " + include.path);
    if (include.angled) continue;
    if (rule.no_windows && include.window_code) found.push_back(from + " includes windows code: " + include.path);
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

// Whether a file of output/ is window code, judged by its own includes.
bool is_output_window_code(const fs::path& root, const std::string& path) {
  if (!starts_with_folder(path, "output/") || !fs::is_regular_file(root / path)) return false;
  return std::ranges::any_of(includes_of(root, root / path), is_qt_widgets);
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
      for (Include& include : includes_of(root, entry.path())) {
        include.window_code = !include.angled && is_output_window_code(root, include.path);
        for (std::string& violation : violations(from, include)) found.push_back(violation);
      }
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

TEST(IncludeRules, TheSceneBuilderAndTheGeneratorsStayOutOfTheWindows) {
  EXPECT_EQ(violations("view3d/cell_scene.cpp", {"editor/view3d/view_3d_window.h", false}).size(), 1u);
  EXPECT_EQ(violations("view3d/cell_scene.cpp", {"output/dxf/dxf_block_names.h", false}).size(), 1u);
  EXPECT_TRUE(violations("view3d/cell_scene.cpp", {"scene3d/scene.h", false}).empty());
  EXPECT_TRUE(violations("view3d/cell_scene.cpp", {"gfx3d/nodes.h", false}).empty());
  EXPECT_EQ(violations("data/generator/stage_data.cpp", {"editor/qt_ui.h", false}).size(), 1u);
  EXPECT_EQ(violations("data/generator/dxf/template_blocks.cpp", {"output/quote/text_window.h", false, true}).size(),
            1u);
  EXPECT_TRUE(violations("data/generator/dxf/template_blocks.cpp", {"output/dxf/dxf_block_names.h", false}).empty());
  EXPECT_TRUE(violations("output/print/cell_pages.cpp", {"output/print/print_window.h", false, true}).empty());
}

TEST(IncludeRules, ThePlanDrawingReadsTheModelAndDrawsWithoutWindows) {
  EXPECT_EQ(violations("plan_drawing/plan_canvas.cpp", {"editor/plan/plan_texts.h", false}).size(), 1u);
  EXPECT_EQ(violations("plan_drawing/plan_shapes.h", {"output/print/page_canvas.h", false}).size(), 1u);
  EXPECT_EQ(violations("plan_drawing/plan_canvas.cpp", {"QWidget", true}).size(), 1u);
  EXPECT_EQ(violations("plan_drawing/plan_canvas.cpp", {"QtWidgets/QLabel", true}).size(), 1u);
  EXPECT_TRUE(violations("plan_drawing/plan_canvas.cpp", {"QPainter", true}).empty());
  EXPECT_TRUE(violations("plan_drawing/plan_shapes.cpp", {"model/state/records.h", false}).empty());
  EXPECT_TRUE(violations("output/print/plan_modules.cpp", {"plan_drawing/plan_shapes.h", false}).empty());
  EXPECT_TRUE(violations("editor/plan/plan_renderer.cpp", {"plan_drawing/plan_canvas.h", false}).empty());
}

TEST(IncludeRules, OnlyTheGlxLayerSeesTheX11Headers) {
  EXPECT_EQ(violations("gfx3d/glx_context.h", {"GL/glx.h", true}).size(), 1u);
  EXPECT_EQ(violations("scene3d/viewer/stage_viewer.cpp", {"X11/Xlib.h", true}).size(), 1u);
  EXPECT_EQ(violations("editor/view3d/view_3d_window.cpp", {"xcb/xcb.h", true}).size(), 1u);
  EXPECT_EQ(violations("model/state/globals.cpp", {"X11/Xlib.h", true}).size(), 1u);
  EXPECT_TRUE(violations("gfx3d/glx_display.cpp", {"X11/Xlib.h", true}).empty());
  EXPECT_TRUE(violations("scene3d/viewer/x11_child_window.cpp", {"xcb/xcb.h", true}).empty());
  EXPECT_TRUE(violations("gfx3d/gl_binding.cpp", {"GL/gl.h", true}).empty());
}

TEST(IncludeRules, OutputWindowsAreRecognisedByTheirIncludes) {
  const fs::path root = source_root();
  EXPECT_TRUE(is_output_window_code(root, "output/print/print_window.h"));
  EXPECT_FALSE(is_output_window_code(root, "output/dxf/dxf_export.h"));
  EXPECT_FALSE(is_output_window_code(root, "model/state/records.h"));
}
