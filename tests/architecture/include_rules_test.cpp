// The arrows between the program's folders, read from the #include lines of
// every source file: the model knows no window, the 3-D library knows no part
// of the program, the outputs know nothing of the editor and no Qt Widgets,
// the cell-scene builder knows neither, the plan drawing reads the model
// alone and draws without windows, the windows never end an edit themselves, the data generators use no windows, the
// dialogs know nothing of the main window that opens them, only the X11
// layer's own sources see the X11 headers (they define None, Bool, Status),
// and the model's folders are layers that include only the ones below them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "source_tree.h"

namespace fs = std::filesystem;

namespace {

struct Include {
  std::string path;  // from the source root for the program's own files, as written otherwise
  bool angled = false;
  bool window_code = false;  // a file of the program that includes Qt Widgets
};

struct Rule {
  std::string folder;                  // the files it applies to
  std::vector<std::string> forbidden;  // folders they must not include
  bool no_qt = false;
  bool no_windows = false;  // no Qt Widgets or printing header, nor a file that includes one
};

// The cell-scene builder of the 3-D view, view3d/, is the one place that reads the model to build a scene.
// The outputs write files and pages; the windows that show them live in editor/.
// The data generators are build tools: they may use the exports of output/, never a window.
const std::vector<Rule> kRules = {
    {"model/", {"editor/", "output/", "plan_drawing/", "gfx3d/", "scene3d/", "view3d/"}, true},
    {"gfx3d/", {"model/", "editor/", "output/", "view3d/"}, false},
    {"scene3d/", {"model/", "editor/", "output/", "view3d/"}, false},
    {"plan_drawing/", {"editor/", "output/", "gfx3d/", "scene3d/", "view3d/"}, false, true},
    {"output/", {"editor/"}, false, true},
    {"view3d/", {"editor/", "output/"}, false},
    {"data/", {"editor/"}, false, true},
    // The dialogs serve the main window and never reach back into it.
    {"editor/dialogs/", {"editor/main/"}, false, false},
    // An edit ends in the model, in the order its command gives: the windows only call commands.
    {"editor/", {"model/layout/finish_edit.h"}, false},
};

// The X11 layer: the context, display and window sources of gfx3d/, the X11
// child window of the viewer and what the editor tells the desktop of its windows.
const std::vector<std::string> kX11Sources = {
    "gfx3d/gl/glx_binding.cpp",
    "gfx3d/gl/glx_context.cpp",
    "gfx3d/gl/glx_display.cpp",
    "gfx3d/gl/glx_window_tracking.cpp",
    "scene3d/viewer/x11_child_window.cpp",
    "editor/x11_desktop.cpp",
};

// The model's folders from the bottom up. The plain records and utilities and
// the translation texts read no global state; the state holds the globals and
// the window interface; everything above reads them. The commands the
// windows call sit on top.
const std::vector<std::string> model_layers = {"base",    "text",  "state", "catalogue", "layout",
                                               "modules", "files", "quote", "commands"};

// The layer of a path inside model/ (its index in model_layers), or -1 outside
// model/; model_layers.size() for a folder that is no layer yet.
int model_layer(const std::string& path) {
  if (!path.starts_with("model/")) return -1;
  const std::string rest = path.substr(6);
  const std::string folder = rest.substr(0, rest.find('/'));
  return static_cast<int>(std::ranges::find(model_layers, folder) - model_layers.begin());
}

// A model file may include its own folder and the layers below it; a file
// outside the layers has no place in the order until one is given to it.
std::vector<std::string> model_layer_violations(const std::string& from, const Include& include) {
  const int own = model_layer(from);
  if (own < 0 || include.angled) return {};
  if (own == static_cast<int>(model_layers.size())) return {from + " lies in no layer of the model"};
  if (model_layer(include.path) > own) return {from + " includes a higher layer of the model: " + include.path};
  return {};
}

bool is_qt(const Include& include) {
  return include.angled && (include.path.starts_with("Q") || include.path.starts_with("qt"));
}

// Every header of Qt Widgets and of Qt's printing, which brings Widgets along,
// read from the folders of the Qt the build found (a list joined by ':').
const std::set<std::string>& window_headers() {
  static const std::set<std::string> headers = [] {
    std::set<std::string> found;
    std::string folders = RACKWRIGHT_WINDOW_HEADER_DIRS;
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
      end = folders.find(':', start);
      std::error_code error;
      for (const auto& entry : fs::directory_iterator(folders.substr(start, end - start), error))
        found.insert(entry.path().filename().string());
    }
    return found;
  }();
  return headers;
}

bool is_qt_widgets(const Include& include) {
  return include.angled && (include.path.starts_with("QtWidgets/") || include.path.starts_with("QtPrintSupport/") ||
                            window_headers().contains(include.path));
}

bool is_x11(const Include& include) {
  return include.angled &&
         (include.path.starts_with("X11/") || include.path.starts_with("GL/glx") || include.path.starts_with("xcb/"));
}

bool starts_with_folder(const std::string& path, const std::string& folder) { return path.starts_with(folder); }

// The rules a file at `from` (relative to the source root) breaks by including `include`.
std::vector<std::string> violations(const std::string& from, const Include& include) {
  std::vector<std::string> found;
  if (is_x11(include) && std::ranges::find(kX11Sources, from) == kX11Sources.end())
    found.push_back(from + " includes X11: " + include.path);
  for (const Rule& rule : kRules) {
    if (!starts_with_folder(from, rule.folder)) continue;
    if (rule.no_qt && is_qt(include)) found.push_back(from + " includes Qt: " + include.path);
    if (rule.no_windows && is_qt_widgets(include)) found.push_back(from + " includes Qt Widgets: " + include.path);
    if (include.angled) continue;
    if (rule.no_windows && include.window_code) found.push_back(from + " includes windows code: " + include.path);
    for (const std::string& folder : rule.forbidden)
      if (starts_with_folder(include.path, folder)) found.push_back(from + " includes " + include.path);
  }
  for (std::string& violation : model_layer_violations(from, include)) found.push_back(std::move(violation));
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

// Whether a file of the program is window code, judged by its own includes.
bool is_window_code(const fs::path& root, const std::string& path) {
  if (!fs::is_regular_file(root / path)) return false;
  return std::ranges::any_of(includes_of(root, root / path), is_qt_widgets);
}

// A rule's folder inside another rule's folder: its files are read with the outer one.
bool read_with_an_outer_folder(const Rule& rule) {
  return std::ranges::any_of(
      kRules, [&](const Rule& other) { return &other != &rule && starts_with_folder(rule.folder, other.folder); });
}

}  // namespace

TEST(IncludeRules, EverySourceFileFollowsTheArrowsBetweenFolders) {
  const fs::path root = source_root();
  int files = 0;
  std::vector<std::string> found;
  for (const Rule& rule : kRules) {
    if (read_with_an_outer_folder(rule) || !fs::exists(root / rule.folder)) continue;
    for (const fs::path& file : source_files(root / rule.folder)) {
      ++files;
      const std::string from = fs::relative(file, root).generic_string();
      for (Include& include : includes_of(root, file)) {
        include.window_code = !include.angled && is_window_code(root, include.path);
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
  EXPECT_EQ(violations("gfx3d/geometry/nodes.cpp", {"model/base/records.h", false}).size(), 1u);
  EXPECT_EQ(violations("scene3d/scene.cpp", {"output/pdf_writer.h", false}).size(), 1u);
  EXPECT_EQ(violations("output/print/print_window.cpp", {"editor/qt_ui.h", false}).size(), 1u);
  EXPECT_TRUE(violations("view3d/cell_scene.cpp", {"model/base/records.h", false}).empty());
  EXPECT_TRUE(violations("editor/output_windows/print_window.cpp", {"QPrinter", true}).empty());
  EXPECT_TRUE(violations("editor/qt_ui.cpp", {"model/state/ui_seam.h", false}).empty());
}

TEST(IncludeRules, TheDialogsNeverReachBackIntoTheMainWindow) {
  EXPECT_EQ(violations("editor/dialogs/door_dialog.cpp", {"editor/main/windows.h", false}).size(), 1u);
  EXPECT_EQ(violations("editor/dialogs/door_dialog.h", {"editor/main/main_window.h", false}).size(), 1u);
  EXPECT_TRUE(violations("editor/main/windows.cpp", {"editor/dialogs/door_dialog.h", false}).empty());
  EXPECT_TRUE(violations("editor/dialogs/door_dialog.cpp", {"editor/qt_lang_text.h", false}).empty());
  EXPECT_TRUE(violations("editor/main/side_panel.cpp", {"editor/qt_lang_text.h", false}).empty());
}

TEST(IncludeRules, TheSceneBuilderAndTheGeneratorsStayOutOfTheWindows) {
  EXPECT_EQ(violations("view3d/cell_scene.cpp", {"editor/view_window/view_3d_window.h", false}).size(), 1u);
  EXPECT_EQ(violations("view3d/cell_scene.cpp", {"output/dxf/dxf_block_names.h", false}).size(), 1u);
  EXPECT_TRUE(violations("view3d/cell_scene.cpp", {"scene3d/scene.h", false}).empty());
  EXPECT_TRUE(violations("view3d/cell_scene.cpp", {"gfx3d/geometry/nodes.h", false}).empty());
  EXPECT_EQ(violations("data/generator/stage_data.cpp", {"editor/qt_ui.h", false}).size(), 1u);
  EXPECT_EQ(violations("data/generator/dxf/template_blocks.cpp", {"output/quote/text_window.h", false, true}).size(),
            1u);
  EXPECT_TRUE(violations("data/generator/dxf/template_blocks.cpp", {"output/dxf/dxf_block_names.h", false}).empty());
  EXPECT_EQ(violations("output/print/cell_pages.cpp", {"output/print/print_window.h", false, true}).size(), 1u);
}

TEST(IncludeRules, TheModelsFoldersIncludeOnlyTheLayersBelowThem) {
  EXPECT_EQ(violations("model/base/units.cpp", {"model/state/globals.h", false}).size(), 1u);
  EXPECT_EQ(violations("model/text/lang_text.cpp", {"model/state/globals.h", false}).size(), 1u);
  EXPECT_EQ(violations("model/state/globals.cpp", {"model/files/text_table.h", false}).size(), 1u);
  EXPECT_EQ(violations("model/layout/layout_engine.cpp", {"model/modules/compact_groups.h", false}).size(), 1u);
  EXPECT_EQ(violations("model/files/project_file.cpp", {"model/quote/price_grid.h", false}).size(), 1u);
  EXPECT_TRUE(violations("model/quote/price_grid.cpp", {"model/base/records.h", false}).empty());
  EXPECT_TRUE(violations("model/modules/compact_groups.cpp", {"model/layout/corner_joints.h", false}).empty());
  EXPECT_TRUE(violations("model/layout/wall_editing.cpp", {"model/layout/cell_walls.h", false}).empty());
  EXPECT_TRUE(violations("model/base/units.cpp", {"string", true}).empty());
}

TEST(IncludeRules, AModelFolderOutsideTheLayersIsFound) {
  EXPECT_EQ(violations("model/misc/helpers.cpp", {"model/base/records.h", false}).size(), 1u);
  EXPECT_TRUE(violations("editor/plan/plan_view.cpp", {"model/quote/price_grid.h", false}).empty());
}

TEST(IncludeRules, ThePlanDrawingReadsTheModelAndDrawsWithoutWindows) {
  EXPECT_EQ(violations("plan_drawing/plan_canvas.cpp", {"editor/plan/plan_texts.h", false}).size(), 1u);
  EXPECT_EQ(violations("plan_drawing/plan_shapes.h", {"output/print/page_canvas.h", false}).size(), 1u);
  EXPECT_EQ(violations("plan_drawing/plan_canvas.cpp", {"QWidget", true}).size(), 1u);
  EXPECT_EQ(violations("plan_drawing/plan_canvas.cpp", {"QtWidgets/QLabel", true}).size(), 1u);
  EXPECT_TRUE(violations("plan_drawing/plan_canvas.cpp", {"QPainter", true}).empty());
  EXPECT_TRUE(violations("plan_drawing/plan_shapes.cpp", {"model/state/records.h", false}).empty());
  EXPECT_TRUE(violations("output/print/cell_plan_drawing.cpp", {"plan_drawing/plan_shapes.h", false}).empty());
  EXPECT_TRUE(violations("editor/plan/plan_renderer.cpp", {"plan_drawing/plan_canvas.h", false}).empty());
}

TEST(IncludeRules, OnlyTheGlxLayerSeesTheX11Headers) {
  EXPECT_EQ(violations("gfx3d/gl/glx_context.h", {"GL/glx.h", true}).size(), 1u);
  EXPECT_EQ(violations("scene3d/viewer/stage_viewer.cpp", {"X11/Xlib.h", true}).size(), 1u);
  EXPECT_EQ(violations("editor/view_window/view_3d_window.cpp", {"xcb/xcb.h", true}).size(), 1u);
  EXPECT_EQ(violations("model/state/globals.cpp", {"X11/Xlib.h", true}).size(), 1u);
  EXPECT_TRUE(violations("gfx3d/gl/glx_display.cpp", {"X11/Xlib.h", true}).empty());
  EXPECT_TRUE(violations("scene3d/viewer/x11_child_window.cpp", {"xcb/xcb.h", true}).empty());
  EXPECT_TRUE(violations("gfx3d/gl/gl_binding.cpp", {"GL/gl.h", true}).empty());
}

TEST(IncludeRules, OutputWindowsAreRecognisedByTheirIncludes) {
  const fs::path root = source_root();
  EXPECT_TRUE(is_window_code(root, "editor/output_windows/print_window.h"));
  EXPECT_FALSE(is_window_code(root, "output/dxf/dxf_export.h"));
  EXPECT_FALSE(is_window_code(root, "model/base/records.h"));
}

TEST(IncludeRules, TheOutputsIncludeNoQtWidgetsHeaderAtAll) {
  for (const char* header : {"QLineEdit", "QPushButton", "QPrinter", "QPrintDialog", "QtWidgets/QLabel"})
    EXPECT_EQ(violations("output/print/pdf_output.cpp", {header, true}).size(), 1u) << header;
  for (const char* header : {"QImage", "QPainter", "QProcess", "QLocale"})
    EXPECT_TRUE(violations("output/print/pdf_output.cpp", {header, true}).empty()) << header;
  EXPECT_EQ(violations("data/generator/dxf/template_blocks.cpp", {"QApplication", true}).size(), 1u);
  EXPECT_EQ(violations("output/dxf/dxf_export.cpp", {"view3d/window.h", false, true}).size(), 1u)
      << "nor a file of the program that includes one";
  EXPECT_TRUE(violations("editor/output_windows/mail_dialog.cpp", {"QRadioButton", true}).empty());
}

// A window that ended an edit itself could end it in another order than its
// command does, or twice; it may not reach the one edit-ending function even
// through another header.
TEST(IncludeRules, OnlyTheModelEndsAnEdit) {
  EXPECT_EQ(violations("editor/main/main_window.cpp", {"model/layout/finish_edit.h", false}).size(), 1u);
  EXPECT_EQ(violations("editor/dialogs/door_dialog.cpp", {"model/layout/finish_edit.h", false}).size(), 1u);
  EXPECT_TRUE(violations("model/commands/plan_edits.cpp", {"model/layout/finish_edit.h", false}).empty());
  const fs::path root = source_root();
  const std::regex call(R"(\bfinish_edit\s*\()");
  std::vector<std::string> calls;
  for (const auto& entry : fs::recursive_directory_iterator(root / "editor")) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (std::regex_search(text, call)) calls.push_back(fs::relative(entry.path(), root).generic_string());
  }
  EXPECT_EQ(calls, std::vector<std::string>{});
}
