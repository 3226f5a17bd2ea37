// Numbers as the user reads them in every window: the decimal separator of
// the user's locale. Typed numbers are read by parse_typed_number (model/base/string_utils.h).
#pragma once

// The decimal separator of the user's locale; '.' where the locale's is not a
// single ASCII character, which the number formatters cannot write.
char user_decimal_separator();
