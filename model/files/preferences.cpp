#include "model/files/preferences.h"

#include <filesystem>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"

namespace {

std::string preferences_path() { return program_path("user/preferenze.dat"); }

bool language_chosen(int language) { return !language_code(language).empty(); }

int ask_for_language() {
  int chosen = ui().ask_language();
  return language_chosen(chosen) ? chosen : 0;
}

// Lines 2 to 30: everything between the language and the optional last lines.
void read_settings_and_company(TextReader& in, Tvar_amb& state, Tazienda& company) {
  in.int32s({&state.optional_sizes, &state.product_switch, &state.max_length_index, &state.background_3d,
             &state.wall_transparency, &state.wall_height, &state.resolution_3d});
  company.logo = in.line();
  company.currency = in.line();
  for (std::string& text : company.header_lines) text = in.line();
  for (std::string& text : company.more_lines) text = in.line();
  for (int& width : state.archive_col_widths) width = in.int32();
}

// Lines 31 to 33, each present only in newer files.
void read_optional_lines(TextReader& in, Tvar_amb& state) {
  if (in.at_end()) return;
  state.inches = in.int32() != 0;
  state.unit_factor = state.inches ? MmPerInch : 1.0;
  if (in.at_end()) return;
  state.decimals = in.int32();
  if (in.at_end()) return;
  state.black_background = in.line() != "0";
}

// Reads into the globals as it goes, so that a damaged file keeps what came before the damage.
bool read_into_globals(const std::string& path) {
  TextReader in(read_scrambled_file(path), path);
  AppState.language = in.int32();
  bool asked = !language_chosen(AppState.language);
  if (asked) AppState.language = ask_for_language();
  read_settings_and_company(in, AppState, Company);
  read_optional_lines(in, AppState);
  return asked;
}

std::string preferences_text(const Tvar_amb& state, const Tazienda& company) {
  TextWriter out;
  out.integers({state.language, state.optional_sizes, state.product_switch, state.max_length_index, state.background_3d,
                state.wall_transparency, state.wall_height, state.resolution_3d});
  out.line(company.logo);
  out.line(company.currency);
  for (const std::string& text : company.header_lines) out.line(text);
  for (const std::string& text : company.more_lines) out.line(text);
  for (int width : state.archive_col_widths) out.integer(width);
  out.boolean(state.inches);
  out.integer(state.decimals);
  out.boolean(state.black_background);
  return out.take();
}

}  // namespace

void parse_preferences_text(std::string_view text, const std::string& source, Tvar_amb& state, Tazienda& company) {
  TextReader in(text, source);
  state.language = in.int32();
  read_settings_and_company(in, state, company);
  read_optional_lines(in, state);
}

bool read_preferences() {
  AppState.inches = false;
  AppState.unit_factor = 1.0;
  AppState.black_background = false;
  AppState.print_max_loads = true;
  AppState.decimals = 1;

  const std::string path = preferences_path();
  if (!std::filesystem::exists(path)) {
    ui().show_message("The preferences file is missing: " + path);
    return false;
  }
  bool language_asked = false;
  try {
    language_asked = read_into_globals(path);
  } catch (const FileError&) {
    ui().show_message(read_error_text(path));
    return true;
  }
  if (language_asked) write_preferences();
  return true;
}

void write_preferences() { write_preferences_file(preferences_path(), AppState, Company); }

void write_preferences_file(const std::string& path, const Tvar_amb& state, const Tazienda& company) {
  write_scrambled_file(path, preferences_text(state, company));
}
