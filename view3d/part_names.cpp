#include "view3d/part_names.h"

#include "model/base/rounding.h"

namespace part_names {

std::string upright(double height) { return "P" + size_key(height) + ".stl"; }
std::string crossbar(double depth) { return "T" + size_key(depth) + ".stl"; }
std::string corner_piece(double depth) { return "ga" + size_key(depth) + ".stl"; }
std::string panel(char letter, const std::string& shelf_suffix, double depth) {
  return std::string(1, letter) + shelf_suffix + size_key(depth) + ".stl";
}
std::string compact_rail(double kit_length) { return "binario" + size_key(kit_length) + ".stl"; }

}  // namespace part_names
