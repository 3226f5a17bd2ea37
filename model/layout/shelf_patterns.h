// The shelf pattern of a bay: its slots, how it is generated and refitted.
//
// A shelf pattern is a string of '0' and '1', one character per shelf slot
// counted from the top of the bay; '1' means a shelf stands in that slot. A
// bay of height H has Round((H - 200) / 150) + 1 slots.
#pragma once

#include <string>
#include <string_view>

#include "model/base/records.h"

// The most slots a pattern has, however tall its bay: those of a bay 15 m
// high, five times the tallest catalogue height. A damaged project file or
// catalogue may ask for more (a pattern of a million "1"s); no pattern is made
// or read longer, so neither the model nor the 3-D view grows with it.
inline constexpr int kMostShelfSlots = 100;

// Shelf slots of a bay of the given height (mm), at most kMostShelfSlots; 0 means none.
int slot_count(double height);

// The top shelf level of a bay or free module, mm above the floor: 70 below
// its height, or at 1780 for the compact codes whatever their height. A
// trolley's levels stand TrolleyLift higher (model/modules/module_kind.h).
double top_shelf_level(std::string_view code, double height);
// How many slots of a pattern stand within a bay or module whose top level is
// at top (mm): one slot apart from it down to the floor, at most kMostShelfSlots.
int slots_within(double top);
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
