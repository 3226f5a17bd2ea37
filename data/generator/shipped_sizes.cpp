#include "shipped_sizes.h"

#include <charconv>

#include "model/base/file_io.h"
#include "model/base/string_utils.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "sources/table_source.h"

namespace fs = std::filesystem;

namespace {

void add_size(std::set<double>& sizes, const std::string& text) {
  std::string number = comma_to_point(text);
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc() && end == number.data() + number.size() && value > 0) sizes.insert(value);
}

}  // namespace

ShippedSizes shipped_sizes(const fs::path& sources, const fs::path& stage) {
  ShippedSizes sizes;
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
  ProgramDir = stage.string();
  Tres kits = parse_table_source(read_file_bytes((sources / "CV_kits.txt").string()));
  for (std::size_t row = 1; row < kits.size(); ++row)
    if (kits[row].size() > 1) add_size(sizes.kit_lengths, kits[row][1]);
  Tres kit_modules = parse_table_source(read_file_bytes((sources / "CV_kits_larg.txt").string()));
  for (std::size_t row = 1; row < kit_modules.size(); ++row)
    if (!kit_modules[row].empty()) add_size(sizes.kit_module_lengths, kit_modules[row][0]);
  return sizes;
}
