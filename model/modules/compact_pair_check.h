// Checking two selected modules before they become the fixed ends of a new
// compact group.
#pragma once

#include <string>

#include "model/base/records.h"

// Selected modules as bay records (a free module's code goes into
// group_code); they keep sizes, centre, orientation, shelf count and code.
struct SelectedPair {
  Tmodulo first;   // the first selected found
  Tmodulo second;  // the last selected found after it
  int count = 0;   // every selected module of the cell
};

// Scans the cell's free modules, then the bays of its walls in order.
SelectedPair get_two_selected_modules(int cell_index);

// The empty text when the two selected modules of the cell may become a
// group's fixed ends, else the first reason they may not.
std::string check_compact_pair(int cell_index);
