// Placing the mobile units of a compact group between two selected fixed
// modules: the dialog's form (shelves per unit, one depth per unit chosen
// from the catalogue depths, the side the units are packed against), the
// overall size and the corridor left, and the placement itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/base/records.h"

// The narrowest corridor a compact group may leave, and the gap between
// neighbouring units, mm.
inline constexpr double kMinCompactCorridor = 500.0;
inline constexpr double CompactUnitGap = 23.0;
inline constexpr int kMaxMobileUnits = 8;

enum class PackSide { Up, Down, Left, Right };

struct CompactPlacementForm {
  Tmodulo end_a, end_b;       // copies of the two fixed modules
  std::string shelves = "4";  // per unit
  std::vector<int> depths;    // per mobile unit: an index into WidthList
  PackSide side = PackSide::Up;
};

// The form for the two selected modules of the current cell, with one unit of
// the first catalogue depth, packed upwards (to the left for ends oriented 'V').
CompactPlacementForm compact_placement_form(const Tmodulo& end_a, const Tmodulo& end_b);
// Units 1..count, each new one taking the first catalogue depth.
void set_mobile_unit_count(CompactPlacementForm& form, int count);
// A depth chosen for unit i: every later unit takes it too.
void choose_unit_depth(CompactPlacementForm& form, int unit, int depth_index);

// The distance of the fixed ends' centres plus one module width.
double compact_overall_size(const CompactPlacementForm& form);
// The corridor left beside the units; nothing when below the minimum.
std::optional<double> compact_corridor(const CompactPlacementForm& form);

// Turns the selected modules of the current cell into the fixed ends of a new
// group, adds the mobile units, rebuilds the groups and takes an undo
// snapshot. Refuses, telling why and changing nothing, when the corridor is
// too narrow or the shelf count is not a whole number of 0 or more. The
// side panel and the plan show the new group.
bool place_mobile_units(const CompactPlacementForm& form);
