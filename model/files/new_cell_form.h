// What the new cell dialog edits: the name of the new cell and, when asked
// for, the existing cell it copies. OK appends the cell and makes it current.
#pragma once

#include <string>
#include <vector>

struct NewCellForm {
  std::string name;
  std::vector<std::string> cells;  // the cells it can copy, as listed: "-" for one without a name
  bool copy = false;
  int copy_from = -1;  // the listed cell chosen, -1 when none
};

// The form for a new cell of that name beside cells of those names; the last
// cell is the one offered for copying, and copying is off.
NewCellForm new_cell_form(const std::string& name, const std::vector<std::string>& cell_names);

// Appends the cell, a copy of the chosen one when copying is on, and makes it
// current. The caller refreshes the tabs and takes the undo step.
void apply_new_cell_form(const NewCellForm& form);
