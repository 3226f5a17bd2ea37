// Writes the part meshes of the 3-D view as binary STL into the staged
// program folder's obj_L/ (low detail) and obj_H/ (high detail), one file for
// every part name the scene builder can ask for with the shipped sizes.
//
//   stage_part_meshes <source folder> <stage folder>

#include <filesystem>
#include <iostream>
#include <map>

#include "gfx3d/streams.h"
#include "model/base/file_io.h"
#include "part_shapes.h"
#include "scene3d/base_mesh.h"
#include "scene3d/stl_vector_file.h"
#include "shipped_sizes.h"
#include "view3d/part_names.h"

namespace fs = std::filesystem;

namespace {

using PartSet = std::map<std::string, Triangles>;

PartSet parts_of(const ShippedSizes& sizes, Detail detail) {
  namespace names = part_names;
  PartSet parts{
      {names::side_rail, side_rail_shape()},
      {names::joint, joint_shape(detail)},
      {names::arch, arch_shape(detail)},
      {names::fixed_compact_upright, upright_shape(1850)},
      {names::mobile_compact_upright, upright_shape(1850)},
      {names::wheel, wheel_shape(detail)},
      {names::brake, brake_shape()},
      {names::trolley_crossbar, crossbar_shape(373)},
      {names::sliding_bracket, bracket_shape()},
  };
  for (double height : sizes.heights) parts[names::upright(height)] = upright_shape(height);
  parts[names::upright(1850)] = upright_shape(1850);
  for (double depth : sizes.widths) {
    parts[names::crossbar(depth)] = crossbar_shape(depth);
    parts[names::corner_piece(depth)] = corner_piece_shape(depth);
    for (const std::string& suffix : sizes.shelf_suffixes) {
      parts[names::panel('A', suffix, depth)] = panel_shape(264, depth, detail);
      parts[names::panel('B', suffix, depth)] = panel_shape(352, depth, detail);
    }
  }
  for (double kit : sizes.kit_lengths) parts[names::compact_rail(kit)] = rail_shape(kit);
  return parts;
}

std::string stl_bytes(const Triangles& shape) {
  TGLFreeForm form(nullptr);
  auto* mesh = new TMeshObject(&form.MeshObjects());
  for (const Triangle& triangle : shape)
    for (const Point3& corner : triangle) mesh->Vertices().Add(TAffineVector{corner.x, corner.y, corner.z});
  TStringStream stream;
  form.SaveMeshToStream("part.stl", stream);
  return stream.DataString();
}

void stage_folder(const fs::path& folder, const PartSet& parts) {
  fs::create_directories(folder);
  for (const auto& [name, shape] : parts) write_file_safely((folder / name).string(), stl_bytes(shape));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: stage_part_meshes <source folder> <stage folder>\n";
    return 2;
  }
  try {
    RegisterSTLFormat();
    fs::path stage = argv[2];
    ShippedSizes sizes = shipped_sizes(argv[1], stage);
    stage_folder(stage / "obj_L", parts_of(sizes, Detail::low));
    stage_folder(stage / "obj_H", parts_of(sizes, Detail::high));
  } catch (const std::exception& error) {
    std::cerr << "stage_part_meshes: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
