// Every field of the program state, tagged with what Undo and a new project do
// with it and how the preferences file stores it: one table read by the undo
// history, by reset_globals and by the preferences reader and writer, so that
// a setting added to one of them is not missed by another.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "model/base/records.h"

// What Undo and a new project do with a field.
enum class StateRole {
  editing,       // Undo restores it; a new project starts it from its default
  editing_kept,  // Undo restores it; a new project keeps it (the templates, the plan boxes, the outline segment)
  open_file,     // Undo keeps it (else the next save would make a second archive entry); a new project has none
  preference,    // Undo and a new project keep it: the user set it since, whatever step is restored
};

// How the preferences file stores a field, one value a line.
enum class StoredAs {
  not_stored,
  integer,
  integers,    // one a line
  inch_mode,   // "1" or "0"; any other whole number than 0 reads as inches and sets the unit factor
  decimals,    // a whole number within what the preferences dialog offers
  black_plan,  // "1" or "0"; any other line than "0" reads as on
};

using StateMember =
    std::variant<int Tvar_amb::*, std::uint8_t Tvar_amb::*, bool Tvar_amb::*, double Tvar_amb::*,
                 std::string Tvar_amb::*, std::array<double, 2> Tvar_amb::*, std::array<double, 4> Tvar_amb::*,
                 std::array<int, 4> Tvar_amb::*, std::array<int, 6> Tvar_amb::*, std::array<int, 11> Tvar_amb::*,
                 Tmodulo_agg Tvar_amb::*, Tcorvane Tvar_amb::*>;

struct StateField {
  std::string_view name;
  StateMember member;
  StateRole role;
  StoredAs stored = StoredAs::not_stored;
  int line = 0;  // of the preferences file, the first when it takes several; 0 when not stored
};

// The preferences file's lines 9 to 24 hold the company texts; its lines after
// line 30 are present only in newer files.
inline constexpr int kFirstCompanyTextLine = 9;
inline constexpr int kLinesEveryPreferencesFileHas = 30;

// The fields of Tvar_amb, each once: the stored preferences in the order of
// the preferences file.
std::span<const StateField> state_fields();

bool kept_by_undo(StateRole role);

// Copies every field Undo keeps from live into restored.
void keep_fields_undo_keeps(const Tvar_amb& live, Tvar_amb& restored);

// Sets every field a new project starts afresh to its default.
void reset_fields_for_new_project(Tvar_amb& state);
