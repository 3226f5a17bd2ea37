// The shelf pattern of a bay and the small utilities the engine, the plan, the
// printed pages and the catalogue share.
//
// A shelf pattern is a string of '0' and '1', one character per shelf slot
// counted from the top of the bay; '1' means a shelf stands in that slot. A
// bay of height H has Round((H - 200) / 150) + 1 slots.
#pragma once

#include <string>

#include "model/state/records.h"

// Shelf slots of a bay of the given height (mm); 0 or less means none.
int slot_count(double height);
// The generated pattern of n shelves spread evenly from the top slot down.
// Height 1850 always gets "100100100100".
std::string shelf_pattern(int n, double height);
// Refits a pattern to a new height and shelf count: keeps the bottom slots of
// the old pattern (never more slots than the new height has, never padded)
// with at most n shelves, counted from the bottom.
std::string fit_shelf_pattern(const std::string& old_pattern, int n, double height);
// The number of shelves ('1' characters) of a pattern.
int shelf_count(const std::string& pattern);
// Before an edit that regenerates the patterns of the current cell: when any
// bay of its walls has hand-edited shelves, asks whether to go on.
bool confirm_if_custom_shelves();

// The multiplier of a cell name ending in "(x3)": blanks are ignored and the
// x may be of either case. 1 when the name has no such marker or the marker
// does not hold a whole number of 0 or more.
int parse_multiplier(const std::string& text);
// The parts of text between the occurrences of delimiter; a text ending with
// the delimiter gives an empty last part, an empty text one empty part.
Tstringlist split_to_string_list(const std::string& text, const std::string& delimiter);
// Replaces the first "%n", "%l" and "%h" of a title template by the shelf
// counts, depths and heights used in the cell's bays and free modules,
// ascending and joined by "/" ("1700/2000"). A missing marker is left out.
std::string expand_module_template(const std::string& title_template, int cell_index);
// The winding of a cell's outline, "ORARIO" (clockwise) or "ANTIORARIO", read
// from its right-most vertical wall; "ANTIORARIO" when it has none yet.
std::string outline_winding(const Tcell& cell);
// True when another wall of the cell lies in front of the outer face of wall
// wall_index (within its length, or straddling its start).
bool wall_overlap_test(int wall_index, int cell_index);
bool wall_overlap_test(const Tlinea& wall, const Tcell& cell);
// True when the wall before or after wall_index of the current cell (wrapping
// round the outline) is an opening.
bool neighbour_wall_is_opening(int wall_index);
// True when both ends of the current cell's wall are bounded by neighbouring runs.
bool wall_both_ends_bounded(int wall_index);

// A copy of text with every ',' turned into '.'.
std::string comma_to_point(std::string text);
// The colour value r + g * 256 + b * 65536.
int pack_rgb(int r, int g, int b);
