// The preference for the largest module length of the automatic choice is an
// index into LengthList. The list changes with the unit, the optional sizes
// and the catalogue file, and the index must always name one of its lengths:
// when the list changes it names the largest length not longer than the one
// it named before (the shortest when none is).
#pragma once

#include "model/base/records.h"

// The index in lengths of the largest length not longer than length; the
// index of the shortest when none is; 0 for an empty list.
int length_index_not_longer(const Tdimensioni& lengths, double length);

// The length an index names, brought into the list; 0 for an empty list.
double length_at_index(const Tdimensioni& lengths, int index);

// After LengthList changed from old_lengths: the preference names the largest
// length of the new list not longer than the one it named in the old.
void follow_length_list(const Tdimensioni& old_lengths);

// Brings the preference into LengthList: at start-up it comes from the
// preferences file, which may hold any number.
void clamp_max_length_index();
