#include "model/quote/print_form.h"

namespace {

constexpr int kMostColumnsWithDescription = 2;

}  // namespace

PrintForm load_print_form(const PrintOptions& options, bool every_cell_has_picture) {
  PrintForm form{options, every_cell_has_picture};
  form.options.pictures = every_cell_has_picture;
  return form;
}

void check_description_options(PrintForm& form) {
  if (form.options.columns > kMostColumnsWithDescription) form.options.extended_description = false;
}
