// Shared set-up of the printer and PDF road tests: documents of cell pages
// alone, and the lines real PDF tools print about a file.
#pragma once

#include <string>
#include <vector>

#include "external_tool.h"
#include "print_fixture.h"
#include "support/room_outline.h"
#include "support/scripted_ui.h"

inline constexpr const char* kPdfinfo = "/usr/bin/pdfinfo";

class PrintRoads : public PrintTest {
 protected:
  // A document of the drawing part alone, one cell per page.
  void cell_pages(int count) {
    page.options.quote_part = false;
    for (int i = 0; i < count; ++i) {
      Cells.emplace_back();
      Cells.back().name = "Cell " + std::to_string(i + 1);
      Cells.back().walls = walls_through({{-2000, -1000}, {2000, -1000}, {2000, 1000}, {-2000, 1000}});
    }
  }
  std::string tool_output(const char* tool, const std::vector<std::string>& arguments) {
    ToolResult result = run_tool(tool, arguments);
    EXPECT_EQ(result.exit_code, 0) << tool << ": " << result.output;
    return result.output;
  }
  std::string info_line(const std::string& path, const std::string& key) {
    std::string info = tool_output(kPdfinfo, {path});
    std::size_t at = info.find(key);
    if (at == std::string::npos) return "";
    std::size_t start = info.find_first_not_of(' ', at + key.size());
    return info.substr(start, info.find('\n', at) - start);
  }
  ScopedScriptedUi ui_;
};
