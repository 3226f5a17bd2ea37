// The source of the default preferences: the lines of the preferences file in
// their order, each as "what<TAB>value" so that a reader knows what it sets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"

// The values, in file order. Raises FileError naming the source unless it
// holds one value for each of the 33 lines of the file.
std::vector<std::string> preferences_source_values(std::string_view text, const std::string& source);

// The settings and company texts the values stand for. Raises FileError for a
// number that does not convert.
void fill_preferences(const std::vector<std::string>& values, Tvar_amb& state, Tazienda& company);
