// The print window's options as plain data: what the document holds (quote,
// cell drawings, extended description, 3-D pictures), the grid of plans per
// page, and whether the 3-D pictures are offered at all. The printed document
// reads the options; the window copies them from and to its controls.
#pragma once

// What the print window's options ask of the document.
struct PrintOptions {
  bool quote_part = true;            // CheckBox1
  bool drawings_part = true;         // CheckBox3
  bool extended_description = true;  // CheckBox2
  bool pictures = false;             // CheckBox4
  int rows = 1;                      // SpinEdit1, 1..10
  int columns = 1;                   // SpinEdit2, 1..10
};

struct PrintForm {
  PrintOptions options;
  bool pictures_offered = false;  // CheckBox4 shown
};

// On showing: the options as the window left them, the 3-D pictures offered,
// and ticked, only when every cell has one.
PrintForm load_print_form(const PrintOptions& options, bool every_cell_has_picture);

// After a description option is clicked: beside more than two plans a row the
// extended description does not fit and is unticked.
void check_description_options(PrintForm& form);
