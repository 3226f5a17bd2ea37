#include "model/layout/shelf_patterns.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "model/base/part_placement.h"
#include "model/base/rounding.h"
#include "model/base/text_io.h"
#include "model/catalogue/compact_codes.h"
#include "model/layout/cell_walls.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

constexpr double kSpecialHeight = 1850.0;
const std::string kSpecialHeightPattern = "100100100100";
constexpr double kTopLevelDrop = 70.0;
constexpr double kCompactTopLevel = 1780.0;

// Sets a slot (counted from 1) when the pattern has it.
void set_slot(std::string& pattern, std::int64_t slot) {
  if (slot >= 1 && slot <= static_cast<std::int64_t>(pattern.size())) pattern[static_cast<std::size_t>(slot - 1)] = '1';
}

}  // namespace

int slot_count(double height) {
  const std::int64_t below_first = Round((height - 200.0) / LevelPitch);
  return static_cast<int>(std::clamp<std::int64_t>(below_first, -1, kMostShelfSlots - 1) + 1);
}

double top_shelf_level(std::string_view code, double height) {
  return is_compact_code(code) ? kCompactTopLevel : height - kTopLevelDrop;
}

int slots_within(double top) {
  if (!(top >= 0.0)) return 0;  // below the floor, or not a number
  const double below_top = std::floor(top / LevelPitch);
  return below_top >= kMostShelfSlots - 1 ? kMostShelfSlots : static_cast<int>(below_top) + 1;
}

std::string shelf_pattern(int n, double height) {
  int slots = slot_count(height);
  std::string pattern(static_cast<std::size_t>(std::max(slots, 0)), '0');
  if (n == 1) set_slot(pattern, 1);
  if (n == 2) {
    set_slot(pattern, 1);
    set_slot(pattern, slots);
  }
  if (height == kSpecialHeight) slots = 12;
  if (n > 2) {
    set_slot(pattern, 1);
    double step = static_cast<double>(Trunc(static_cast<double>(slots - 1) / (n - 1)));
    // A step of 0 or less only reaches slot 1 again, so a corrupt shelf count
    // of millions need not be walked through.
    double position = 0.0;
    for (int i = 1; i < n && step > 0.0; ++i) {
      position += step;
      set_slot(pattern, Round(position) + 1);
    }
  }
  if (height == kSpecialHeight) pattern = kSpecialHeightPattern;
  return pattern;
}

std::string fit_shelf_pattern(const std::string& old_pattern, int n, double height) {
  std::size_t wanted = shelf_pattern(n, height).size();
  std::string result;
  int kept = 0;
  for (auto slot = old_pattern.rbegin(); slot != old_pattern.rend() && result.size() < wanted; ++slot) {
    result.insert(result.begin(), kept >= n ? '0' : *slot);
    if (*slot == '1') ++kept;
  }
  return result;
}

int shelf_count(const std::string& pattern) {
  return static_cast<int>(std::count(pattern.begin(), pattern.end(), '1'));
}

bool confirm_if_custom_shelves() {
  for (const Tlinea& wall : current_cell().walls)
    for (const Tmodulo& bay : wall.modules)
      if (bay.custom_shelves == 1) return ui().ask_yes_no(lang_text(text::custom_shelves_question));
  return true;
}
