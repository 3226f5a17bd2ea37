// The free module to be placed: its length, depth, height and shelf count as
// the added-module dialog offers them (catalogue sizes, chosen by index), and
// the template and placement mode it sets.
#pragma once

#include <string>
#include <vector>

#include "model/base/part_placement.h"
#include "model/base/records.h"

enum class SizeKind { Length, Depth, Height };

// The texts of a size list: the inch text of each value in inch mode (each
// kind by its own rule), else millimetres with the chosen decimals.
std::vector<std::string> size_items(const Tdimensioni& values, SizeKind kind, const Tvar_amb& settings,
                                    char decimal_point);
// The item whose text is the default's, or -1 when the catalogue lacks it.
int default_size_item(const Tdimensioni& values, SizeKind kind, double mm, const Tvar_amb& settings,
                      char decimal_point);

struct AddedModuleForm {
  int length = -1;  // indices into LengthList, WidthList, HeightList
  int depth = -1;
  int height = -1;
  std::string shelves = "4";
};

AddedModuleForm added_module_form(const Tvar_amb& settings, char decimal_point);

// Fills the placement template and turns placement on. Refuses with text::invalid_value,
// changing nothing, when a size is not chosen or the shelf count is not a
// whole number of 0 or more; false then.
bool apply_added_module_form(const AddedModuleForm& form);
