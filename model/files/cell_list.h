// The list of cells of the open project: appending a new cell, empty or as a
// copy of another, and putting the cells in a new order. Record copies are
// deep, so a copied cell shares nothing with its source.
#pragma once

#include <string>
#include <vector>

// Appends a cell of that name and makes it current; with copy_from naming a
// cell, the new cell is a copy of it (without its 3-D picture). Rebuilds the
// compact groups. The caller refreshes the tabs and takes the undo step.
void add_cell(const std::string& name, int copy_from);

// The cell order dialog's lines: for each line the index its cell had when
// the dialog opened, and the selected line.
struct CellOrderForm {
  std::vector<int> order;
  int selected = -1;
};

CellOrderForm cell_order_form();
// Moves the selected line up or down one place; nothing at either end.
void move_cell_line(CellOrderForm& form, int by);
// Puts the cells in the form's order, makes the selected line's cell current
// (the first when none), takes an undo snapshot and shows the result: another
// cell made current as a tab change shows it. The caller refreshes the tabs.
void apply_cell_order(const CellOrderForm& form);
