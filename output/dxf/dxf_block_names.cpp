#include "output/dxf/dxf_block_names.h"

#include "model/base/rounding.h"

std::string grid_block(char letter, const std::string& shelf_suffix, double depth) {
  return std::string("L") + letter + shelf_suffix + size_key(depth);
}

std::string plan_corner_joint_block(double depth) { return "giunzione_" + size_key(depth); }
std::string plan_frame_block(double depth) { return "testata_" + size_key(depth); }
std::string plan_rail_block(double kit_length) { return "BINARIO_CV_" + size_key(kit_length); }

std::string side_rail_block(double length) { return "Fiancata" + size_key(length); }
std::string corner_joint_block(double depth) { return "Giunzione_angolo_" + size_key(depth); }
std::string upright_block(double height, bool compact_mobile) {
  return "Piant_" + size_key(height) + (compact_mobile ? "s" : "");
}
std::string crossbar_block(double depth) { return "Traverso" + size_key(depth); }
std::string compact_rail_block(double kit_length) { return "BinarioCV" + size_key(kit_length); }
std::string oval_block(double group_depth) { return "Ovale" + size_key(group_depth - 84.0); }
