// The printed page: an A4 portrait sheet. A page bitmap of w × h pixels stands
// for it, so page millimetres become pixels by w / kPageWidthMm and h / kPageHeightMm.
#pragma once

inline constexpr double kPageWidthMm = 210.0;
inline constexpr double kPageHeightMm = 297.0;
