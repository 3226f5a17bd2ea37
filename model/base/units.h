// Lengths in inches. The model keeps millimetres; in inch mode the user sees
// sizes as feet, inches and 64ths of an inch, and the size combo boxes are
// filled with these texts and turned back into catalogue values by lookup.
#pragma once

#include <string>

#include "model/base/records.h"

// The inch the plan and the catalogue convert by, mm.
inline constexpr double MmPerInch = 25.4;

// The text of a fraction of an inch, to the nearest 64th (ties go up): "0",
// "1/64 " .. "63/64 " (reduced, with a trailing blank) or "1 ". Empty for
// f <= 0 or f > 1.
std::string inch_fraction_text(double fraction);
// A length in inches as whole feet (2'), feet and inches (2'-6" 1/4 ),
// inches (7" ) or a fraction alone; whole feet drop the fraction. Negative
// lengths have no text.
std::string format_feet_inches(double inches);

// The texts of catalogue sizes (mm), rounded up to whole inches. Lengths and
// heights are shown with the end frames' allowance added.
std::string inch_text_length(double mm);
std::string inch_text(double mm);
std::string inch_text_height(double mm);

// The size among the given catalogue sizes whose text is the given one (the
// last when several share it), or -1.0 when none has it.
double lookup_length_by_text(const Tdimensioni& lengths, const std::string& text);
double lookup_width_by_text(const Tdimensioni& widths, const std::string& text);
double lookup_height_by_text(const Tdimensioni& heights, const std::string& text);
