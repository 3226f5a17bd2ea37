// What the kit choice dialog edits: a width and a length from the kit tables,
// and the kit they name. Each choice that names a kit loads it into the
// compact-block template at once; OK then turns block placement on.
#pragma once

#include <string>
#include <vector>

struct KitChoiceForm {
  std::vector<std::string> widths;
  std::vector<std::string> lengths;  // "length-rail"
  std::string width;                 // as chosen, empty when none
  std::string length;
  std::string kit_code;  // the kit the choice names, empty when none
};

// The choices of the kit tables, none of them chosen.
KitChoiceForm kit_choice_form();
// Looks up the kit of the form's width and length (loading it as the
// template when one matches).
void choose_kit(KitChoiceForm& form);
// OK: false, and nothing changes, while no kit matches; otherwise block
// placement is on.
bool apply_kit_choice(const KitChoiceForm& form);
// Cancel: no kit, and no block placement.
void cancel_kit_choice(KitChoiceForm& form);
