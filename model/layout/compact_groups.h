// Compact mobile-shelving groups. The model stores only the codes of their
// modules (see compact_codes.h); the group records of every cell are derived
// from them again whenever a project is loaded and at the end of every edit,
// before the edit is recorded or shown, and before printing and exports.
#pragma once

#include "model/base/records.h"

// Width of every module of the compact line, across the group's axis of travel.
inline constexpr double kCompactModuleWidth = 577.0;

// Rebuilds everything a cell derives from its content and the load table, in
// every cell: its compact groups, end-frame heights and load overrides. A
// cell unchanged since its last rebuild is skipped, the current one never.
void rebuild_derived_values();

// The depth of a group whose modules are this long: the rails reach beyond both sides.
double compact_group_depth(double module_length);

// The kit length class of a group of this overall length: 2245, 2645 or 3045.
double compact_kit_length(double overall_length);

// The largest group number among the fixed-end codes of the cell's free
// modules and wall bays; 0 when there is none. A new group takes the next one.
int max_fixed_compact_number(int cell_index);
