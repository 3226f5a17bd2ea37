#include "model/files/new_cell_form.h"

#include "model/files/cell_list.h"

NewCellForm new_cell_form(const std::string& name, const std::vector<std::string>& cell_names) {
  NewCellForm form;
  form.name = name;
  for (const std::string& cell : cell_names) form.cells.push_back(cell.empty() ? "-" : cell);
  form.copy_from = static_cast<int>(form.cells.size()) - 1;
  return form;
}

void apply_new_cell_form(const NewCellForm& form) { add_cell(form.name, form.copy ? form.copy_from : -1); }
