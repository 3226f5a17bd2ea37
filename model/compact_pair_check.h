// Checking two selected modules before they become the fixed ends of a new
// compact group.
#pragma once

#include <string>

// What the check needs of a selected module, free or on a wall.
struct SelectedModule {
  int shelf_count = 0;
  double height = 0.0;
  double width = 0.0;
  double length = 0.0;
  double x = 0.0;
  double y = 0.0;
  char orientation = 'H';
  std::string code;
};

struct SelectedPair {
  SelectedModule first;   // the first selected found
  SelectedModule second;  // the last selected found after it
  int count = 0;          // every selected module of the cell
};

// Scans the cell's free modules, then the bays of its walls in order.
SelectedPair get_two_selected_modules(int cell_index);

// The empty text when the two selected modules of the cell may become a
// group's fixed ends, else the first reason they may not.
std::string check_compact_pair(int cell_index);
