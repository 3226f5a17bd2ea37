#include "output/dxf/dxf_export.h"

#include "model/base/file_io.h"
#include "model/layout/compact_groups.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

namespace {

using DrawingBuilder = DxfDrawing (*)(const Tcells&, const DxfTemplate&);

void export_drawing(const std::string& file_name, const std::string& template_name, DrawingBuilder build) {
  rebuild_derived_values();
  DxfTemplate drawing = read_dxf_template(program_path("data/" + template_name));
  DxfDrawing result = build(Cells, drawing);
  write_file_safely(file_name, result.text);
  if (!result.missing_blocks.empty()) {
    std::string names;
    for (const std::string& name : result.missing_blocks) names += (names.empty() ? "" : ", ") + name;
    ui().show_message("The drawing was written without these parts, which the template " + template_name +
                      " does not define: " + names);
  }
}

}  // namespace

void export_dxf_2d(const std::string& file_name) { export_drawing(file_name, "export.dat", dxf_2d_drawing); }

void export_dxf_3d(const std::string& file_name) { export_drawing(file_name, "export3d.dat", dxf_3d_drawing); }
