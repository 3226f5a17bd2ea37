// Numbers as the user reads and types them in every window: the decimal
// separator of the user's locale and the reading of a typed number.
#pragma once

#include <string>

// The decimal separator of the user's locale; '.' where the locale's is not a
// single ASCII character, which the number formatters cannot write.
char user_decimal_separator();

// A typed number, "," and "." alike; false when the text is not a finite number.
bool parse_typed_number(const std::string& text, double& value);
