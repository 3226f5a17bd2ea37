#include "model/files/preferences_form.h"

#include <charconv>
#include <optional>

#include "model/base/file_io.h"
#include "model/base/rounding.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/length_choice.h"
#include "model/files/preferences.h"
#include "model/state/colour_palette.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"
#include "model/text/translations.h"

namespace {

// Far above any room, and well inside the whole millimetres AppState can hold.
constexpr double kMaxWallHeightMm = 1e6;

double unit_factor_of(bool inches) { return inches ? MmPerInch : 1.0; }

// Replaces the form's length list; the choice follows it.
void change_form_lengths(PreferencesForm& form, Tdimensioni lengths) {
  form.max_length_index = convert_length_choice(form.lengths, form.max_length_index, lengths, form.length_conversion);
  form.lengths = std::move(lengths);
}

// The whole millimetres of the form's wall height, or nothing when its text is not a height.
std::optional<int> form_wall_height(const PreferencesForm& form) {
  if (!form.wall_height_edited) return form.wall_height_mm;
  const double mm = wall_height_mm_of(form.wall_height_text, form.inches);
  if (mm < 0.0) return std::nullopt;
  return static_cast<int>(Round(mm));
}

}  // namespace

bool service_password_matches(const std::string& typed) { return typed == "dormak58"; }

PreferencesForm load_preferences_form(char decimal_point) {
  PreferencesForm form;
  form.language = AppState.language;
  form.optional_sizes = AppState.optional_sizes == 1;
  form.product_switch = AppState.product_switch == 1;
  form.debug = AppState.debug == 1;
  form.lengths = LengthList;
  form.max_length_index = length_index_not_longer(LengthList, length_at_index(LengthList, AppState.max_length_index));
  form.length_conversion = LengthConversion;
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

std::vector<std::string> max_length_items(const PreferencesForm& form, char decimal_point) {
  std::vector<std::string> items;
  items.reserve(form.lengths.size());
  for (double length : form.lengths)
    items.push_back(form.inches ? inch_text_length(length) : format_fixed(length, AppState.decimals, decimal_point));
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
  return mm >= 0.0 && mm <= kMaxWallHeightMm ? mm : -1.0;
}

void switch_form_unit(PreferencesForm& form, bool inches, char decimal_point) {
  if (form.inches == inches) return;
  change_form_lengths(form, catalogue_lengths(inches, form.optional_sizes ? 1 : 0));
  double mm = form.wall_height_edited ? wall_height_mm_of(form.wall_height_text, form.inches) : form.wall_height_mm;
  form.inches = inches;
  if (mm >= 0.0) form.wall_height_text = wall_height_text(mm, inches, decimal_point);
}

void switch_form_optional_sizes(PreferencesForm& form, bool optional_sizes) {
  if (form.optional_sizes == optional_sizes) return;
  change_form_lengths(form, catalogue_lengths(form.inches, optional_sizes ? 1 : 0));
  form.optional_sizes = optional_sizes;
}

bool apply_preferences(const PreferencesForm& form) {
  const std::optional<int> wall_height = form_wall_height(form);
  if (!wall_height) {
    ui().show_message(lang_text(text::invalid_value));
    return false;
  }
  // A language the translation file leaves without texts is refused before
  // anything is applied: stored, it would stop the next start.
  if (form.language != AppState.language && !language_code(form.language).empty())
    check_language(language_code(form.language));
  const Tvar_amb before = AppState;
  const bool catalogue_changes =
      form.inches != AppState.inches || (form.optional_sizes ? 1 : 0) != AppState.optional_sizes;
  AppState.language = form.language;
  AppState.optional_sizes = form.optional_sizes ? 1 : 0;
  AppState.product_switch = form.product_switch ? 1 : 0;
  AppState.debug = form.debug ? 1 : 0;
  AppState.background_3d = form.background_3d;
  AppState.wall_transparency = form.wall_transparency;
  AppState.resolution_3d = form.resolution_3d;
  AppState.decimals = form.decimals;
  AppState.inches = form.inches;
  AppState.unit_factor = unit_factor_of(form.inches);
  AppState.black_background = form.black_background;
  AppState.print_max_loads = form.print_max_loads;
  AppState.wall_height = *wall_height;
  if (catalogue_changes) {
    try {
      load_data_file(AppState.optional_sizes);
    } catch (const FileError&) {
      AppState = before;
      throw;
    }
  }
  // Whatever list is now in use, the choice names one of its lengths.
  AppState.max_length_index = length_index_not_longer(LengthList, length_at_index(form.lengths, form.max_length_index));
  LengthConversion = form.length_conversion;
  set_colour_palette();
  return true;
}

bool save_preferences(const PreferencesForm& form) {
  if (!apply_preferences(form)) return false;
  write_preferences();
  ui().show_message(lang_text(text::data_saved));
  return true;
}

void reload_catalogue_and_language() {
  const Tdimensioni old_lengths = LengthList;
  load_data_file(AppState.optional_sizes);
  follow_length_list(old_lengths);
  set_language(language_code(AppState.language));
}
