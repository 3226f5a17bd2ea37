// Cutting an opening (a door) into a wall: the wall of the current cell is
// split into three on the same line, the middle one an opening of kind 0.
// The form holds the three parts as the door dialog shows them, in screen
// order (left to right, top to bottom), in millimetres; each change keeps
// first + opening + third equal to the wall's length.
#pragma once

#include <string>

#include "model/base/records.h"

// The opening a new door gets, mm.
inline constexpr double kDefaultDoorWidth = 800.0;

struct DoorForm {
  int wall = -1;
  double total = 0.0;
  double first = 0.0;
  double opening = 0.0;
  double third = 0.0;
};

// The door of default width centred in the given wall of the cell.
DoorForm door_form_for_wall(const Tcell& cell, int wall);

// A typed first part: the third part takes up the rest.
void change_door_first(DoorForm& form, double mm);
// A typed opening: the difference is shared between the first and third part.
void change_door_opening(DoorForm& form, double mm);
// A typed third part: the first part takes up the rest.
void change_door_third(DoorForm& form, double mm);

// A part as typed into the dialog, in the current unit: false when the text
// is not a number, after showing the conversion error.
bool read_door_part(const std::string& text, double& value);

// Splits the form's wall of the current cell when all three parts are
// positive and ends the edit: the split walls and then the laid-out cell are
// two undo steps. Otherwise text::invalid_value is shown and nothing changes; false then.
bool apply_door_form(const DoorForm& form);
