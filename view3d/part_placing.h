// The one scheme every shelving part is placed by: an element group at the
// element's plan centre, turned about the vertical; under it one pivot per
// part, turned and placed in the group's frame (X along the element, Y up,
// Z across); under the pivot the part form with its mesh, offset and scale.
// Sizes are plan millimetres; the scene unit is 100 mm.
#pragma once

#include <string>

class TGLDummyCube;
class TGLFreeForm;
class TGLMaterial;
class PartLibrary;

struct Mm3 {
  double x = 0, y = 0, z = 0;
};

struct PartPlacement {
  std::string file;
  Mm3 offset;  // of the part form in the pivot's frame
  double roll = 0, turn = 0, pitch = 0;
  Mm3 pivot;             // in the element group's frame
  double stretch_x = 1;  // along the element, on top of the millimetre scale
  bool load = true;      // false leaves the form empty (a panel with no file)
};

// What the parts are made of: the mesh folder and the corner pieces' material.
struct PartSupply {
  PartLibrary& parts;
  const TGLMaterial& corner_material;
};

// A new element group under root at plan point (x, y), turned by turn degrees about the vertical.
TGLDummyCube& add_element_group(TGLDummyCube& root, double x, double y, double turn);
TGLFreeForm& place_part(TGLDummyCube& group, const PartPlacement& placement, PartSupply& supply);
// The same, with the corner pieces' material.
void place_corner_piece(TGLDummyCube& group, const PartPlacement& placement, PartSupply& supply);
