// Ready-made kits of the compact mobile-shelving line: the two kit tables,
// the width and length choices they offer, and the kit a choice names, which
// becomes the compact-block placement template.
#pragma once

#include <string>
#include <vector>

// Loads KitTable and KitWidthTable from data/CV_kits.txt and data/CV_kits_larg.txt.
void load_kit_lists();

// The choices: the widths of the width table, and "length-rail" of every kit.
std::vector<std::string> kit_width_items();
std::vector<std::string> kit_length_items();

// The code of the kit of that width and length choice (the later of two
// matching kits), empty when either is empty or no kit matches. A match
// loads the kit into AppState.compact_template.
std::string find_kit_for_size(const std::string& width, const std::string& length);
