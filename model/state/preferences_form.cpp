#include "model/state/preferences_form.h"

#include <charconv>

#include "model/base/plan_palette.h"
#include "model/base/rounding.h"
#include "model/base/units.h"
#include "model/catalogue/catalogue.h"
#include "model/files/preferences.h"
#include "model/files/text_io.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"

namespace {

constexpr int InvalidValueText = 8;
constexpr int DataSavedText = 90;
// Far above any room, and well inside the whole millimetres AppState can hold.
constexpr double MaxWallHeightMm = 1e6;

double unit_factor_of(bool inches) { return inches ? MmPerInch : 1.0; }

}  // namespace

bool service_password_matches(const std::string& typed) { return typed == "dormak58"; }

PreferencesForm load_preferences_form(char decimal_point) {
  PreferencesForm form;
  form.language = AppState.language;
  form.optional_sizes = AppState.optional_sizes == 1;
  form.product_switch = AppState.product_switch == 1;
  form.debug = AppState.debug == 1;
  form.max_length_index = AppState.max_length_index;
  form.background_3d = AppState.background_3d;
  form.wall_transparency = AppState.wall_transparency;
  form.resolution_3d = AppState.resolution_3d;
  form.inches = AppState.inches;
  form.decimals = AppState.decimals;
  form.black_background = AppState.black_background;
  form.print_max_loads = AppState.print_max_loads;
  form.wall_height_mm = AppState.wall_height;
  form.wall_height_text = wall_height_text(AppState.wall_height, AppState.inches, decimal_point);
  return form;
}

std::vector<std::string> max_length_items(bool inches, char decimal_point) {
  std::vector<std::string> items;
  items.reserve(LengthList.size());
  for (double length : LengthList)
    items.push_back(inches ? inch_text_length(length) : format_fixed(length, AppState.decimals, decimal_point));
  return items;
}

std::string wall_height_text(double mm, bool inches, char decimal_point) {
  return format_fixed(mm / unit_factor_of(inches), AppState.decimals, decimal_point);
}

double wall_height_mm_of(const std::string& text, bool inches) {
  std::string number(trim_blanks(text));
  for (char& c : number)
    if (c == ',') c = '.';
  double value = 0.0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) return -1.0;
  const double mm = value * unit_factor_of(inches);
  return mm >= 0.0 && mm <= MaxWallHeightMm ? mm : -1.0;
}

void switch_form_unit(PreferencesForm& form, bool inches, char decimal_point) {
  if (form.inches == inches) return;
  double mm = form.wall_height_edited ? wall_height_mm_of(form.wall_height_text, form.inches) : form.wall_height_mm;
  form.inches = inches;
  if (mm >= 0.0) form.wall_height_text = wall_height_text(mm, inches, decimal_point);
}

bool apply_preferences(const PreferencesForm& form) {
  AppState.language = form.language;
  AppState.optional_sizes = form.optional_sizes ? 1 : 0;
  AppState.product_switch = form.product_switch ? 1 : 0;
  AppState.debug = form.debug ? 1 : 0;
  AppState.max_length_index = form.max_length_index;
  AppState.background_3d = form.background_3d;
  AppState.wall_transparency = form.wall_transparency;
  AppState.resolution_3d = form.resolution_3d;
  AppState.decimals = form.decimals;
  AppState.inches = form.inches;
  AppState.unit_factor = unit_factor_of(form.inches);
  AppState.black_background = form.black_background;
  AppState.print_max_loads = form.print_max_loads;
  bool height_valid = true;
  if (form.wall_height_edited) {
    double mm = wall_height_mm_of(form.wall_height_text, form.inches);
    height_valid = mm >= 0.0;
    if (height_valid) AppState.wall_height = static_cast<int>(Round(mm));
  } else {
    AppState.wall_height = form.wall_height_mm;
  }
  set_colour_palette();
  if (!height_valid) ui().show_message(lang_text(InvalidValueText));
  return height_valid;
}

void save_preferences(const PreferencesForm& form) {
  apply_preferences(form);
  write_preferences();
  ui().show_message(lang_text(DataSavedText));
}

void reload_catalogue_and_language() {
  load_data_file(AppState.optional_sizes);
  set_language(language_code(AppState.language));
}
