#include "model/files/preferences.h"

#include <array>
#include <climits>
#include <filesystem>
#include <optional>
#include <vector>

#include "model/base/code_page.h"
#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/files/damaged_files.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/state_fields.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"

namespace {

std::string preferences_path() { return user_path("preferenze.dat"); }

bool language_chosen(int language) { return !language_code(language).empty(); }

// The user's choice; no choice gives the fallback.
int ask_for_language(int fallback) {
  int chosen = ui().ask_language();
  return language_chosen(chosen) ? chosen : fallback;
}

// The language to start in: the stored one while the translation file serves
// it, else the user's choice (Italian when none is made), asked again after
// each refusal (then no choice takes the first language the file serves).
// None when the file serves no language: nothing could be shown.
std::optional<int> served_language(int stored) {
  int language = language_chosen(stored) ? stored : ask_for_language(0);
  while (!language_served(language_code(language))) {
    const std::optional<int> served = first_served_language();
    if (!served) return std::nullopt;
    language = ask_for_language(*served);
  }
  return language;
}

// The lines of a preferences file, one setting each: a line that does not
// hold its value leaves its setting as it was and is noted with its number.
class PreferencesLines {
 public:
  explicit PreferencesLines(std::string_view text) : lines_(split_lines(text)) {}

  bool at_end() const { return next_ >= lines_.size(); }

  void integer(int& field) { integer(field, INT_MIN, INT_MAX, "a whole number"); }
  // A whole number from least to most, called what in the fault of any other line.
  void integer(int& field, int least, int most, const std::string& what) {
    const std::string* line = take();
    long long value = 0;
    if (!line) return;
    if (parse_integer(*line, value) && value >= least && value <= most) {
      field = static_cast<int>(value);
    } else {
      faults.push_back("line " + std::to_string(next_) + ": \"" + cut_short_string(*line) + "\" is not " + what);
    }
  }
  // A company text, cut to kTextBytes (noted as a fault).
  void text(std::string& field) {
    const std::string* line = take();
    if (!line) return;
    const std::string whole = text_as_utf8(*line, legacy_code_page_);
    field = cut_text(whole, kTextBytes);
    if (whole.size() > kTextBytes)
      faults.push_back("line " + std::to_string(next_) + ": " + cut_text_note(whole.size(), kTextBytes));
  }
  // The old program wrote the texts in the code page of the language it ran in, the file's own.
  void set_language(int language) { legacy_code_page_ = language_code_page(language); }

  std::vector<std::string> faults;

 private:
  // The next line, or none at the end of the file (noted once: every line up
  // to 30 is needed).
  const std::string* take() {
    if (!at_end()) return &lines_[next_++];
    if (!ended_) faults.push_back("line " + std::to_string(next_ + 1) + ": the file ends before line 30");
    ended_ = true;
    return nullptr;
  }

  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  bool ended_ = false;
  CodePage legacy_code_page_ = language_code_page(-1);
};

// The settings the file stores before its company texts, or after them, in the file's order.
template <class Each>
void for_stored_settings(bool before_company_texts, Each each) {
  for (const StateField& field : state_fields())
    if (field.stored != StoredAs::not_stored && (field.line < kFirstCompanyTextLine) == before_company_texts)
      each(field);
}

// The field of state (const or not) the table entry names, as a T.
template <class T, class State>
auto& member_of(State& state, const StateField& field) {
  return state.*std::get<T Tvar_amb::*>(field.member);
}

void read_setting(PreferencesLines& in, const StateField& field, Tvar_amb& state) {
  if (field.line > kLinesEveryPreferencesFileHas && in.at_end()) return;
  switch (field.stored) {
    case StoredAs::integer:
      in.integer(member_of<int>(state, field));
      break;
    case StoredAs::integers:
      for (int& value : member_of<std::array<int, 6>>(state, field)) in.integer(value);
      break;
    case StoredAs::inch_mode: {
      bool& inches = member_of<bool>(state, field);
      int value = inches ? 1 : 0;
      in.integer(value);
      inches = value != 0;
      state.unit_factor = inches ? MmPerInch : 1.0;
      break;
    }
    case StoredAs::decimals:
      in.integer(member_of<int>(state, field), 0, kMostDecimalsShown,
                 "a number of decimals from 0 to " + std::to_string(kMostDecimalsShown));
      break;
    case StoredAs::black_plan: {
      std::string line;
      in.text(line);
      member_of<bool>(state, field) = line != "0";
      break;
    }
    case StoredAs::not_stored:
      break;
  }
}

void write_setting(TextWriter& out, const StateField& field, const Tvar_amb& state) {
  switch (field.stored) {
    case StoredAs::integer:
    case StoredAs::decimals:
      out.integer(member_of<int>(state, field));
      break;
    case StoredAs::integers:
      for (int value : member_of<std::array<int, 6>>(state, field)) out.integer(value);
      break;
    case StoredAs::inch_mode:
    case StoredAs::black_plan:
      out.boolean(member_of<bool>(state, field));
      break;
    case StoredAs::not_stored:
      break;
  }
}

// Reads every line it can into state and company; gives the faults of the others.
std::vector<std::string> read_settings(std::string_view text, Tvar_amb& state, Tazienda& company) {
  PreferencesLines in(text);
  for_stored_settings(true, [&](const StateField& field) { read_setting(in, field, state); });
  in.set_language(state.language);
  in.text(company.logo);
  in.text(company.currency);
  for (std::string& text : company.header_lines) in.text(text);
  for (std::string& text : company.more_lines) in.text(text);
  for_stored_settings(false, [&](const StateField& field) { read_setting(in, field, state); });
  return std::move(in.faults);
}

std::string preferences_text(const Tvar_amb& state, const Tazienda& company) {
  TextWriter out;
  for_stored_settings(true, [&](const StateField& field) { write_setting(out, field, state); });
  out.line(company.logo);
  out.line(company.currency);
  for (const std::string& text : company.header_lines) out.line(text);
  for (const std::string& text : company.more_lines) out.line(text);
  for_stored_settings(false, [&](const StateField& field) { write_setting(out, field, state); });
  return out.take();
}

}  // namespace

void parse_preferences_text(std::string_view text, const std::string& source, Tvar_amb& state, Tazienda& company) {
  const std::vector<std::string> faults = read_settings(text, state, company);
  if (!faults.empty()) throw FileError(source + ": " + faults.front());
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
  if (std::optional<std::string> plain = read_user_file(path)) {
    const std::vector<std::string> faults = read_settings(*plain, AppState, Company);
    if (!faults.empty()) ui().show_message(note_damaged_file(path, faults));
  }
  // A language is stored only once the translation file is known to serve
  // it: a start that refused the stored one would refuse it every time.
  const int stored = AppState.language;
  const std::optional<int> language = served_language(stored);
  if (!language) return false;
  AppState.language = *language;
  if (*language == stored) return true;
  // The choice holds for this run even when it cannot be stored.
  try {
    write_preferences();
  } catch (const FileError& error) {
    ui().show_message(error.what());
  }
  return true;
}

int stored_language() {
  Tvar_amb state;
  Tazienda company;
  try {
    read_settings(read_scrambled_file(preferences_path()), state, company);
  } catch (const FileError&) {
    return -1;
  }
  return state.language;
}

void write_preferences() { write_preferences_with(Company); }

void write_preferences_with(const Tazienda& company, std::vector<FileContent> together) {
  keep_damaged_copy(preferences_path());
  together.push_back(scrambled_content(preferences_path(), preferences_text(AppState, company)));
  write_files_together(together);
}

void write_preferences_file(const std::string& path, const Tvar_amb& state, const Tazienda& company) {
  write_scrambled_file(path, preferences_text(state, company));
}
