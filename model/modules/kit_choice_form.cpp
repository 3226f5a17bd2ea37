#include "model/modules/kit_choice_form.h"

#include "model/modules/kit_choice.h"
#include "model/state/globals.h"

KitChoiceForm kit_choice_form() {
  KitChoiceForm form;
  form.widths = kit_width_items();
  form.lengths = kit_length_items();
  return form;
}

void choose_kit(KitChoiceForm& form) { form.kit_code = find_kit_for_size(form.width, form.length); }

bool apply_kit_choice(const KitChoiceForm& form) {
  if (form.kit_code.empty()) return false;
  AppState.place_compact_mode = 1;
  return true;
}

void cancel_kit_choice(KitChoiceForm& form) {
  form.kit_code.clear();
  AppState.place_compact_mode = 0;
}
