// The shelving parts by name, each named once: the block the plan drawing
// inserts for it, the block the solid drawing inserts, and the mesh file the
// 3-D view loads. A name built from a size takes the size text of the model
// value, as the keys of the code table do ("Traverso914.4", "T914.4.stl").
// The template drawings and the shipped meshes are generated from the same
// names, so every name an export or the view can ask for exists.
#pragma once

#include <string>
#include <string_view>

enum class Part {
  Rivet,
  Fixing,
  Bumper,
  Operator,
  EndFrame,
  SlidingBracket,
  GridPanel,
  Joint,
  CornerJoint,
  SideRail,
  Upright,
  FixedCompactUpright,
  MobileCompactUpright,
  Crossbar,
  TrolleyBar,
  Wheel,
  BrakedWheel,
  Arch,
  CompactClamps,
  CompactRail,
  Oval,
  ScrewedSpacer,
  EndSpacer,
};

// The three names of a part. size is the size the name is built from (a
// length, depth, height or kit length; ignored by fixed names); a grid panel
// also takes its variant, grid_panel_variant(). Asking for a name the part does
// not have (a plan symbol's mesh, say) is a programming error: std::logic_error.
std::string plan_block(Part part, double size = 0, std::string_view variant = {});
std::string solid_block(Part part, double size = 0, std::string_view variant = {});
std::string mesh_file(Part part, double size = 0, std::string_view variant = {});

// A grid panel's variant: its letter, 'A' (264 mm) or 'B' (352 mm), and the
// structure type's shelf suffix.
std::string grid_panel_variant(char letter, std::string_view shelf_suffix);

// A compact group's oval is named for its length: the group's depth less 84.
std::string oval_block(double group_depth);
