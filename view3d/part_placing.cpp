#include "view3d/part_placing.h"

#include "scene3d/graph/dummy_cube.h"
#include "scene3d/meshes/base_mesh.h"
#include "view3d/part_library.h"

namespace {

constexpr double kUnit = 100;  // millimetres per scene unit

float units(double mm) { return static_cast<float>(mm / kUnit); }

}  // namespace

TGLDummyCube& add_element_group(TGLDummyCube& root, double x, double y, double turn) {
  auto& group = *root.NewChildOfClass<TGLDummyCube>();
  // An element never changes after the build: one display list draws all its parts.
  group.SetAmalgamate(true);
  group.Position().SetPoint(units(x), 0, units(-y));
  if (turn != 0) group.RotateAboutWorldAxes(0, static_cast<float>(turn), 0);
  return group;
}

TGLFreeForm& place_part(TGLDummyCube& group, const PartPlacement& placement, PartSupply& supply) {
  auto& pivot = *group.NewChildOfClass<TGLDummyCube>();
  auto& form = *pivot.NewChildOfClass<TGLFreeForm>();
  if (placement.load) supply.parts.load_into(form, placement.file);
  form.Position().SetPoint(units(placement.offset.x), units(placement.offset.y), units(placement.offset.z));
  pivot.SetRollAngle(static_cast<float>(placement.roll));
  pivot.SetTurnAngle(static_cast<float>(placement.turn));
  pivot.SetPitchAngle(static_cast<float>(placement.pitch));
  pivot.Position().SetPoint(units(placement.pivot.x), units(placement.pivot.y), units(placement.pivot.z));
  form.Scale().SetVector(static_cast<float>(placement.stretch_x / kUnit), 0.01f, 0.01f);
  return form;
}

void place_corner_piece(TGLDummyCube& group, const PartPlacement& placement, PartSupply& supply) {
  place_part(group, placement, supply).SetMaterial(supply.corner_material);
}
