#include "model/layout/compact_surroundings.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/base/part_placement.h"
#include "model/catalogue/compact_codes.h"

namespace {

// A module beside an end counts when its face is at most this far from the end's face.
constexpr double kBesideDistance = 140.0;
// A wall farther than this from a group does not constrain it.
constexpr double kWallGapLimit = 350.0;

// Slots of the position characters for the side across an end and its two sides along it.
struct EndSlots {
  int across;
  int along_positive;
  int along_negative;
};

// The slots of the end with the larger coordinate (is_upper) or the other one.
// Ends oriented 'V' number their sides from the opposite end.
EndSlots slots_of(const CompactEnd& end, bool is_upper) {
  const bool first_set = (end.orientation == 'H') == is_upper;
  return first_set ? EndSlots{4, 0, 1} : EndSlots{5, 2, 3};
}

void mark_beside(std::string& characters, const CompactEnd& end, bool is_upper, const Tmodulo_agg& module, char mark) {
  if (module.orientation != end.orientation) return;
  double along = module.x - end.x;  // offset along the end module's own length
  double across = module.y - end.y;
  if (end.orientation != 'H') std::swap(along, across);
  const double distance = std::hypot(along, across);
  if (distance <= kBesideDistance) return;
  const EndSlots slots = slots_of(end, is_upper);
  if (std::abs(across) > std::abs(along)) {
    if (distance - end.width / 2 - module.width / 2 <= kBesideDistance) characters[slots.across] = mark;
  } else if (std::abs(along) > std::abs(across)) {
    if (distance - end.length / 2 - module.length / 2 <= kBesideDistance)
      characters[along > 0 ? slots.along_positive : slots.along_negative] = mark;
  }
}

bool within(double value, double bound1, double bound2) {
  return std::min(bound1, bound2) <= value && value <= std::max(bound1, bound2);
}

void take_gap(double& gap, double candidate, bool limit_included) {
  if (candidate > 0 && (candidate < kWallGapLimit || (limit_included && candidate == kWallGapLimit))) gap = candidate;
}

// Ends oriented 'V' stand along x: their rails run along x too.
void gaps_along_x(std::array<double, 4>& gaps, const Tlinea& wall, const CompactEnd& a, const CompactEnd& b) {
  if (wall.orientation == 'V') {
    const double x = wall.x1;
    if (within(a.y, wall.y1, wall.y2) && x < a.x) take_gap(gaps[2], std::abs(x - a.x) - a.width / 2, true);
    if (within(b.y, wall.y1, wall.y2) && x > b.x) take_gap(gaps[3], std::abs(x - b.x) - b.width / 2, true);
  } else if (wall.orientation == 'H' && within(a.x, wall.x1, wall.x2) && within(b.x, wall.x1, wall.x2)) {
    const double y = wall.y1;
    const double gap = std::abs(y - a.y) - a.length / 2 - CompactRailOverhang;
    if (y > a.y) take_gap(gaps[0], gap, true);
    if (y < a.y) take_gap(gaps[1], gap, false);
  }
}

void gaps_along_y(std::array<double, 4>& gaps, const Tlinea& wall, const CompactEnd& a, const CompactEnd& b) {
  if (wall.orientation == 'H') {
    const double y = wall.y1;
    if (within(b.x, wall.x1, wall.x2) && y > b.y) take_gap(gaps[2], std::abs(y - b.y) - b.width / 2, true);
    if (within(a.x, wall.x1, wall.x2) && y < a.y) take_gap(gaps[3], std::abs(y - a.y) - a.width / 2, true);
  } else if (wall.orientation == 'V' && within(a.y, wall.y1, wall.y2) && within(b.y, wall.y1, wall.y2)) {
    const double x = wall.x1;
    const double gap = std::abs(x - a.x) - a.length / 2 - CompactRailOverhang;
    if (x > a.x) take_gap(gaps[0], gap, true);
    if (x < a.x) take_gap(gaps[1], gap, true);
  }
}

}  // namespace

CompactEnd compact_end(const Tmodulo& bay) { return {bay.x, bay.y, bay.width, bay.length, bay.orientation}; }

CompactEnd compact_end(const Tmodulo_agg& module) {
  return {module.x, module.y, module.width, module.length, module.orientation};
}

std::string compact_position_characters(const Tcell& cell, const CompactEnd& a, const CompactEnd& b) {
  std::string characters = "000000";
  for (const Tmodulo_agg& module : cell.free_modules) {
    if (is_mobile_compact_code(module.code)) continue;
    const char mark = is_fixed_compact_code(module.code) ? '2' : '1';
    mark_beside(characters, b, true, module, mark);
    mark_beside(characters, a, false, module, mark);
  }
  return characters;
}

std::array<double, 4> compact_wall_gaps(const Tcell& cell, const CompactEnd& a, const CompactEnd& b) {
  std::array<double, 4> gaps{-1.0, -1.0, -1.0, -1.0};
  for (const Tlinea& wall : cell.walls) {
    if (a.orientation == 'V')
      gaps_along_x(gaps, wall, a, b);
    else
      gaps_along_y(gaps, wall, a, b);
  }
  return gaps;
}
