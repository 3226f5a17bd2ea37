#include "model/modules/added_module.h"

#include <cstddef>

#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

std::string size_item(double mm, SizeKind kind, const Tvar_amb& settings, char decimal_point) {
  if (settings.inches) {
    if (kind == SizeKind::Length) return inch_text_length(mm);
    return kind == SizeKind::Height ? inch_text_height(mm) : inch_text(mm);
  }
  return format_fixed(mm, settings.decimals, decimal_point);
}

bool chosen(int index, const Tdimensioni& values) {
  return index >= 0 && static_cast<std::size_t>(index) < values.size();
}

}  // namespace

std::vector<std::string> size_items(const Tdimensioni& values, SizeKind kind, const Tvar_amb& settings,
                                    char decimal_point) {
  std::vector<std::string> items;
  for (double value : values) items.push_back(size_item(value, kind, settings, decimal_point));
  return items;
}

int default_size_item(const Tdimensioni& values, SizeKind kind, double mm, const Tvar_amb& settings,
                      char decimal_point) {
  const std::string wanted = size_item(mm, kind, settings, decimal_point);
  const std::vector<std::string> items = size_items(values, kind, settings, decimal_point);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == wanted) return static_cast<int>(i);
  }
  return -1;
}

AddedModuleForm added_module_form(const Tvar_amb& settings, char decimal_point) {
  AddedModuleForm form;
  form.length = default_size_item(LengthList, SizeKind::Length, kDefaultModuleLength, settings, decimal_point);
  form.depth = default_size_item(WidthList, SizeKind::Depth, kDefaultModuleDepth, settings, decimal_point);
  form.height = default_size_item(HeightList, SizeKind::Height, kDefaultModuleHeight, settings, decimal_point);
  return form;
}

bool apply_added_module_form(const AddedModuleForm& form) {
  long long shelves = -1;
  if (!chosen(form.length, LengthList) || !chosen(form.depth, WidthList) || !chosen(form.height, HeightList) ||
      !parse_integer(form.shelves, shelves) || shelves < 0 || shelves > 1000) {
    ui().show_message(lang_text(text::invalid_value));
    return false;
  }
  Tmodulo_agg& t = AppState.free_module_template;
  t.orientation = 'H';
  t.length = LengthList[static_cast<std::size_t>(form.length)];
  t.width = WidthList[static_cast<std::size_t>(form.depth)];
  t.height = HeightList[static_cast<std::size_t>(form.height)];
  t.shelf_count = static_cast<int>(shelves);
  t.extent_x = t.length;
  t.extent_y = t.width;
  t.custom_shelves = 0;
  AppState.place_free_module_mode = 1;
  return true;
}
