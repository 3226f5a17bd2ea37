// The source of the default preferences: the lines of the preferences file in
// their order, each as "what<TAB>value" so that a reader knows what it sets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The values, in file order. Raises FileError naming the source unless it
// holds one value for each of the 33 lines of the file.
std::vector<std::string> preferences_source_values(std::string_view text, const std::string& source);

// The plain text of the preferences file the values make, one value a line.
std::string preferences_file_text(const std::vector<std::string>& values);
