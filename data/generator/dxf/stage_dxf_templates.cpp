// Writes the template drawings of the two DXF exports into the staged program
// folder, with a block for every size the staged catalogues (optional sizes
// included, millimetres and inches), the default code table and the
// compact-shelving kits can produce.
//
//   stage_dxf_templates <source folder> <stage folder>

#include <charconv>
#include <filesystem>
#include <iostream>

#include "model/base/string_utils.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/files/file_io.h"
#include "model/state/globals.h"
#include "output/dxf/dxf_export.h"
#include "sources/table_source.h"
#include "template_blocks.h"

namespace fs = std::filesystem;

namespace {

void add_size(std::set<double>& sizes, const std::string& text) {
  std::string number = comma_to_point(text);
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc() && end == number.data() + number.size() && value > 0) sizes.insert(value);
}

TemplateSizes shipped_sizes(const fs::path& sources, const fs::path& stage) {
  TemplateSizes sizes;
  ProgramDir = stage.string();
  for (bool inches : {false, true}) {
    AppState.inches = inches;
    load_data_file(1);
    sizes.widths.insert(WidthList.begin(), WidthList.end());
    sizes.heights.insert(HeightList.begin(), HeightList.end());
    sizes.lengths.insert(LengthList.begin(), LengthList.end());
    for (const Tstructure_type& type : StructureTypes) sizes.shelf_suffixes.insert(type.shelf_suffix);
  }
  AppState.inches = false;
  load_data_file(1);
  ProgramDir = (stage / "defaults").string();
  read_codes_table();
  for (const Tcodice& row : CodesTable) {
    if (row.tipo == "R" || row.tipo == "TE" || row.tipo == "TI" || row.tipo == "G") add_size(sizes.widths, row.lar);
    if (row.tipo == "R") add_size(sizes.lengths, row.lung);
    if (row.tipo == "TE" || row.tipo == "TI") add_size(sizes.heights, row.alt);
  }
  Tres kits = parse_table_source(read_file_bytes((sources / "CV_kits.txt").string()));
  for (std::size_t row = 1; row < kits.size(); ++row)
    if (kits[row].size() > 1) add_size(sizes.kit_lengths, kits[row][1]);
  return sizes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: stage_dxf_templates <source folder> <stage folder>\n";
    return 2;
  }
  try {
    fs::path stage = argv[2];
    TemplateSizes sizes = shipped_sizes(argv[1], stage);
    write_file_safely((stage / "data" / "export.dat").string(),
                      template_document(plan_template_layers(), plan_template_blocks(sizes), Dxf2dFirstHandle + 1));
    write_file_safely((stage / "data" / "export3d.dat").string(),
                      template_document(solid_template_layers(), solid_template_blocks(sizes), Dxf3dFirstHandle + 1));
  } catch (const std::exception& error) {
    std::cerr << "stage_dxf_templates: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
