// Writes the template drawings of the two DXF exports into the staged program
// folder, with a block for every size the staged catalogues (optional sizes
// included, millimetres and inches), the default code table and the
// compact-shelving kits can produce.
//
//   stage_dxf_templates <source folder> <stage folder>

#include <filesystem>
#include <iostream>

#include "model/base/file_io.h"
#include "output/dxf/dxf_export.h"
#include "shipped_sizes.h"
#include "template_blocks.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: stage_dxf_templates <source folder> <stage folder>\n";
    return 2;
  }
  try {
    fs::path stage = argv[2];
    ShippedSizes sizes = shipped_sizes(argv[1], stage);
    write_file_safely((stage / "data" / "export.dat").string(),
                      template_document(plan_template_layers(), plan_template_blocks(sizes), kDxf2dFirstHandle + 1));
    write_file_safely((stage / "data" / "export3d.dat").string(),
                      template_document(solid_template_layers(), solid_template_blocks(sizes), kDxf3dFirstHandle + 1));
  } catch (const std::exception& error) {
    std::cerr << "stage_dxf_templates: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
