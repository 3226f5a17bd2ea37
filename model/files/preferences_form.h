// What the preferences dialog edits, held as the dialog shows it, and the one
// function that applies it to AppState. The unit choice stays inside the form
// until it is applied, so a cancelled dialog leaves AppState exactly as it was.
#pragma once

#include <string>
#include <vector>

#include "model/base/records.h"
#include "model/catalogue/length_choice.h"

struct PreferencesForm {
  int language = 0;
  bool optional_sizes = false;
  bool product_switch = false;
  bool debug = false;
  // The choice is made from the lengths of the catalogue the form's unit and
  // optional sizes load, so it always names a length that will be in use.
  Tdimensioni lengths;
  int max_length_index = 0;
  // What the last change of list did to the choice, so that a change back
  // restores it (see convert_length_choice).
  Tlength_conversion length_conversion;
  int background_3d = 0;  // r + g * 256 + b * 65536
  int wall_transparency = 0;
  int resolution_3d = 0;
  bool inches = false;
  int decimals = 1;
  bool black_background = false;
  bool print_max_loads = true;
  // The stored wall height (mm) stands until the user edits its text, so an
  // unedited height never drifts through the rounding of its inch text.
  int wall_height_mm = 0;
  std::string wall_height_text;
  bool wall_height_edited = false;
};

// The service password that unlocks the optional sizes and the product switch.
bool service_password_matches(const std::string& typed);

// The form as AppState holds it; numbers shown with the given decimal point.
PreferencesForm load_preferences_form(char decimal_point);

// The texts of the largest-length choice: one per length of the form's list,
// in millimetres with AppState.decimals decimals or as inch texts.
std::vector<std::string> max_length_items(const PreferencesForm& form, char decimal_point);
// A wall height in millimetres as the dialog shows it in the given unit.
std::string wall_height_text(double mm, bool inches, char decimal_point);
// The millimetres a typed wall height stands for ("," or "." as decimal mark);
// negative when the text is not a number or beyond any room.
double wall_height_mm_of(const std::string& text, bool inches);

// Switches the form's unit; the wall-height text follows (an edited text is
// converted when it is a number and kept as typed otherwise), and so does the
// length list, whose choice becomes the largest length not longer than the
// one chosen, or the one chosen before the last switch when switching back
// with nothing chosen since. Raises FileError, with the form unchanged, when
// the other unit's catalogue cannot be read.
void switch_form_unit(PreferencesForm& form, bool inches, char decimal_point);
// The optional sizes change the length list the same way.
void switch_form_optional_sizes(PreferencesForm& form, bool optional_sizes);

// Checks every field, then copies the form into AppState, loads the catalogue
// when the unit or the optional sizes changed, and recomputes the plan
// colours. A field that cannot be taken (a wall height that is not a number)
// shows text::invalid_value, applies nothing and returns false. A catalogue that cannot be
// read, or a new language the translation file cannot give every text it
// needs (see set_language), raises FileError with AppState as it was.
bool apply_preferences(const PreferencesForm& form);

// "Salva": applies the form, writes the preferences file and says so; a
// refused form writes nothing. Raises FileError when the file cannot be
// written (the form is applied by then).
bool save_preferences(const PreferencesForm& form);

// What confirming the dialog reloads of the start-up: the catalogue with the
// optional-sizes choice (the largest-length choice follows it) and the
// translation table of the chosen language. Raises FileError; the catalogue
// or the table then keep what they held.
void reload_catalogue_and_language();
