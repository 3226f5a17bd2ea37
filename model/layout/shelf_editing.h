// Switching single shelves of the selected modules on and off: the pattern
// being edited (one character a slot from the top, '1' a shelf), the module
// it comes from and its neighbours for comparison, the slot under a pointer
// in the drawing, and writing the result into every selected module.
#pragma once

#include <string>

#include "model/base/records.h"

// Drawing scale of the shelves dialog: millimetres per pixel, the slot
// pitch and the floor's distance above the bottom edge, pixels.
inline constexpr double kShelfDrawingMmPerPixel = 10.0;
inline constexpr int kShelfSlotPitch = 15;
inline constexpr int kShelfFloorMargin = 10;

struct ShelvesForm {
  std::string pattern;
  double height = 0.0;  // of the edited module, mm
  int wall = -1;        // the one selected wall bay (wall and bay index), else -1
  int module = -1;
  int free_module = -1;                     // the one selected free module, else -1
  std::string left_pattern, right_pattern;  // empty: no neighbour on that side
  double left_height = 0.0, right_height = 0.0;
};

// The form for the selected wall bays and free modules of the cell: their
// common pattern, or when they differ the standard pattern of the given
// shelf count at the given height; the indices only when exactly one module
// is selected; the neighbours of a lone wall bay along the outline.
ShelvesForm shelves_form_for_selection(const Tcell& cell, int shelf_count, double height);

// The slot whose shelf is drawn around pixel row y of a drawing height
// pixels high, or -1 outside the pattern.
int shelf_slot_at(const ShelvesForm& form, int y, int height);
// Flips the shelf of a slot; a slot outside the pattern changes nothing.
void toggle_shelf_slot(ShelvesForm& form, int slot);

// Writes the pattern into every selected wall bay and free module of the
// current cell, marks them as having custom shelves, takes an undo snapshot
// and redraws the plan.
void apply_shelves_form(const ShelvesForm& form);
