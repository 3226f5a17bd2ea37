// The one market the program quotes differently: a company whose currency
// text is exactly "A$" sells in Australia, where quotes add goods and
// services tax, bays come 1100 mm long and the side panel offers the economy
// fill instead of the heavy one. Every such choice asks this predicate.
#pragma once

#include "model/base/records.h"

inline bool is_gst_market(const Tazienda& company) { return company.currency == "A$"; }
