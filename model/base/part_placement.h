// Where the shelving parts stand, in millimetres: the sizes and offsets the
// layout, the plans, the drawing exports and the 3-D view place them by.
// The uprights' own width and gaps are in model/layout/module_lengths.h.
#pragma once

// The sizes a new free module starts with, and a wall run's modules when none is given.
inline constexpr double kDefaultModuleLength = 974.0;
inline constexpr double kDefaultModuleDepth = 475.0;
inline constexpr double kDefaultModuleHeight = 1700.0;

// Shelf levels stand one slot apart.
inline constexpr double LevelPitch = 150.0;

// The grid panels of a shelf, 'A' and 'B', laid side by side with a gap.
inline constexpr double GridPanelWidthA = 264.0;
inline constexpr double GridPanelWidthB = 352.0;
inline constexpr double GridPanelGap = 4.0;

// In the drawings and the 3-D view the uprights, the joints beside them and
// the fixings stand on an axis this far in from the frame's side.
inline constexpr double UprightAxisInset = 17.5;
// The crossbars stand on the frame's bottom, this far above their nominal
// height, and are this much shorter than the frame is deep.
inline constexpr double CrossbarRise = 40.0;
inline constexpr double CrossbarShortfall = 63.0;
// An arch tops its frame at this height.
inline constexpr double ArchHeight = 1827.0;

// A trolley's base bar: the length of its block and mesh, stretched to reach
// along the trolley and its two frame gaps.
inline constexpr double kTrolleyBarLength = 310.0;
// The solid drawing inserts a trolley's wheels at their top, this high; their blocks reach down to the floor.
inline constexpr double TrolleyWheelTop = 151.6;

// A compact group: its rails reach this far beyond each side of its modules
// (the group is deeper than they are long by twice that) and lie in bands of
// this width along its long sides; its end units stand between these
// distances from each end, this far in from each long side.
inline constexpr double CompactRailOverhang = 54.0;
inline constexpr double CompactRailBand = 72.0;
inline constexpr double CompactEndUnitNear = 43.5;
inline constexpr double CompactEndUnitFar = 68.5;
inline constexpr double CompactEndUnitInset = 42.0;
// The spacers to the walls: those on the long sides this far from each end,
// those at the ends this far from each long side.
inline constexpr double CompactSideSpacerInset = 101.5;
inline constexpr double CompactEndSpacerInset = 132.0;
// Each spacer's tie runs from its plate, this deep, to this far inside the group.
inline constexpr double CompactSideSpacerDepth = 10.0;
inline constexpr double CompactEndSpacerDepth = 25.0;
inline constexpr double CompactSideTieReach = 31.0;
inline constexpr double CompactEndTieReach = 1.5;
