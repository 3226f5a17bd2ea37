// Writes the part meshes of the 3-D view as binary STL into the staged
// program folder's obj_L/ (low detail) and obj_H/ (high detail), one file for
// every part name the scene builder can ask for with the shipped sizes.
//
//   stage_part_meshes <source folder> <stage folder>

#include <filesystem>
#include <iostream>
#include <map>

#include "gfx3d/persistence/streams.h"
#include "model/base/file_io.h"
#include "model/base/part_placement.h"
#include "model/catalogue/part_names.h"
#include "part_shapes.h"
#include "scene3d/meshes/base_mesh.h"
#include "scene3d/meshes/stl_vector_file.h"
#include "shipped_sizes.h"

namespace fs = std::filesystem;

namespace {

using PartSet = std::map<std::string, Triangles>;

PartSet parts_of(const ShippedSizes& sizes, Detail detail) {
  PartSet parts{
      {mesh_file(Part::SideRail), side_rail_shape()},
      {mesh_file(Part::Joint), joint_shape(detail)},
      {mesh_file(Part::Arch), arch_shape(detail)},
      {mesh_file(Part::FixedCompactUpright), upright_shape(1850)},
      {mesh_file(Part::MobileCompactUpright), upright_shape(1850)},
      {mesh_file(Part::Wheel), wheel_shape(detail)},
      {mesh_file(Part::BrakedWheel), brake_shape()},
      {mesh_file(Part::TrolleyBar), crossbar_shape(373)},
      {mesh_file(Part::SlidingBracket), bracket_shape()},
  };
  for (double height : sizes.heights) parts[mesh_file(Part::Upright, height)] = upright_shape(height);
  parts[mesh_file(Part::Upright, 1850)] = upright_shape(1850);
  for (double depth : sizes.widths) {
    parts[mesh_file(Part::Crossbar, depth)] = crossbar_shape(depth);
    parts[mesh_file(Part::CornerJoint, depth)] = corner_piece_shape(depth);
    for (const std::string& suffix : sizes.shelf_suffixes) {
      parts[mesh_file(Part::GridPanel, depth, grid_panel_variant('A', suffix))] =
          panel_shape(GridPanelWidthA, depth, detail);
      parts[mesh_file(Part::GridPanel, depth, grid_panel_variant('B', suffix))] =
          panel_shape(GridPanelWidthB, depth, detail);
    }
  }
  for (double kit : sizes.kit_lengths) parts[mesh_file(Part::CompactRail, kit)] = rail_shape(kit);
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
