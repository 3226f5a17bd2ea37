// The drawings of a sample project read by tools no one here wrote: ezdxf
// checks them as a CAD program would, LibreCAD renders them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "dxf_fixture.h"
#include "dxf_sample_project.h"
#include "external_tool.h"
#include "model/base/file_io.h"
#include "model/catalogue/catalogue.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kLibreCad = "/usr/bin/librecad";
constexpr const char* kPdfToPpm = "/usr/bin/pdftoppm";

std::string check_script() { return environment_folder("RACKWRIGHT_SOURCE_DIR") + "/tests/output/dxf_check.py"; }

std::string text_of(double value) { return size_key(value); }

// LibreCAD prints name.dxf fitted to a page, as name.pdf; the page must show ink.
void expect_rendered(const TempDir& folder, const std::string& name) {
  ToolResult printed = run_tool(kLibreCad, {"dxf2pdf", "-a", folder.file(name + ".dxf")});
  ASSERT_EQ(printed.exit_code, 0) << printed.output;
  ToolResult page =
      run_tool(kPdfToPpm, {"-r", "20", "-gray", "-singlefile", folder.file(name + ".pdf"), folder.file(name)});
  ASSERT_EQ(page.exit_code, 0) << page.output;
  std::string pixels = folder.read(name + ".pgm");
  std::size_t header_end = 0;
  for (int newlines = 0; newlines < 3 && header_end < pixels.size(); ++header_end)
    if (pixels[header_end] == '\n') ++newlines;
  long dark = std::count_if(pixels.begin() + static_cast<long>(header_end), pixels.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 128; });
  EXPECT_GT(dark, 20) << name << " renders blank";
}

TEST_F(DxfExportTest, SampleDrawingsPassEzdxfAndLibreCad) {
  SKIP_OR_FAIL_WITHOUT_TOOL(kPython);
  SKIP_OR_FAIL_WITHOUT_TOOL(kLibreCad);
  SKIP_OR_FAIL_WITHOUT_TOOL(kPdfToPpm);
  ASSERT_EQ(run_tool(kPython, {"-c", "import ezdxf"}).exit_code, 0) << "CI needs python3-ezdxf";
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TempDir folder;
  for (const char* name : {"export.dat", "export3d.dat"}) {
    ToolResult result = run_tool(kPython, {check_script(), "template", program_path(std::string("data/") + name)});
    EXPECT_EQ(result.exit_code, 0) << name << "\n" << result.output;
  }
  struct Catalogue {
    bool inches;
    double depth, length, height;
  };
  for (Catalogue catalogue : {Catalogue{false, 475, 974, 2000}, Catalogue{true, 457.2, 914.4, 2133.6}}) {
    use_staged_program(catalogue.inches);
    load_data_file(1);
    Cells = {sample_drawing_cell(catalogue.depth, catalogue.length, catalogue.height)};
    std::string unit = catalogue.inches ? "inch" : "mm";
    write_file_safely(folder.file(unit + "-plan.dxf"), dxf_2d_drawing(Cells, plan_template).text);
    write_file_safely(folder.file(unit + "-solid.dxf"), dxf_3d_drawing(Cells, solid_template).text);
    ToolResult plan =
        run_tool(kPython, {check_script(), "plan", folder.file(unit + "-plan.dxf"), text_of(kSampleRoomWidth)});
    EXPECT_EQ(plan.exit_code, 0) << unit << " plan\n" << plan.output;
    ToolResult solid = run_tool(
        kPython, {check_script(), "solid", folder.file(unit + "-solid.dxf"), "0", "0", text_of(kSampleRoomWidth),
                  text_of(kSampleRoomDepth), text_of(Cells[0].wall_thickness), text_of(catalogue.length)});
    EXPECT_EQ(solid.exit_code, 0) << unit << " solid\n" << solid.output;
    expect_rendered(folder, unit + "-plan");
    expect_rendered(folder, unit + "-solid");
    if (const char* keep = std::getenv("RACKWRIGHT_KEEP_DRAWINGS"))
      for (const char* kind : {"-plan.dxf", "-solid.dxf"})
        std::filesystem::copy_file(folder.file(unit + kind), std::string(keep) + "/" + unit + kind,
                                   std::filesystem::copy_options::overwrite_existing);
  }
}

}  // namespace
