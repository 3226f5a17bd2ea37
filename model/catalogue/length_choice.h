// The preference for the largest module length of the automatic choice is an
// index into LengthList. The list changes with the unit, the optional sizes
// and the catalogue file, and the index must always name one of its lengths:
// when the list changes it names the largest length not longer than the one
// it named before (the shortest when none is), except that a change back
// undoes the change before it.
#pragma once

#include "model/base/records.h"

// The last change of the choice from one list to another that changed the
// length (a unit switch): changing back while the choice is still `to` gives
// `from` again, so a round trip changes nothing.
struct Tlength_conversion {
  double from = 0.0;
  double to = 0.0;

  bool operator==(const Tlength_conversion&) const = default;
};

// The applied preferences' last conversion: the next preferences form starts from it.
extern Tlength_conversion LengthConversion;

// The index in lengths of the largest length not longer than length; the
// index of the shortest when none is; 0 for an empty list.
int length_index_not_longer(const Tdimensioni& lengths, double length);

// The length an index names, brought into the list; 0 for an empty list.
double length_at_index(const Tdimensioni& lengths, int index);

// The index in new_lengths that the choice old_lengths[index] becomes when
// the list changes: the length the remembered conversion came from when the
// choice is still what it gave and that length is in the new list, else the
// largest length not longer. A conversion that changes the length is
// remembered in conversion.
int convert_length_choice(const Tdimensioni& old_lengths, int index, const Tdimensioni& new_lengths,
                          Tlength_conversion& conversion);

// After LengthList changed from old_lengths: the preference names the largest
// length of the new list not longer than the one it named in the old.
void follow_length_list(const Tdimensioni& old_lengths);

// Brings the preference into LengthList: at start-up it comes from the
// preferences file, which may hold any number. The remembered conversion is
// forgotten.
void clamp_max_length_index();
