#include "model/state/ui_seam.h"

#include "model/state/headless_ui.h"

namespace {
HeadlessUi headless_default;
ModelUi* current = &headless_default;
}  // namespace

ModelUi& ui() { return *current; }

void set_ui(ModelUi* implementation) { current = implementation ? implementation : &headless_default; }
