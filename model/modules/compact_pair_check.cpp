#include "model/modules/compact_pair_check.h"

#include <utility>

#include "model/layout/compact_groups.h"
#include "model/layout/module_shape.h"
#include "model/state/globals.h"

namespace {

Tmodulo as_bay_record(const Tmodulo_agg& m) {
  Tmodulo bay;
  copy_module_shape(bay, m);
  bay.group_code = m.code;
  return bay;
}

void note_selected(SelectedPair& pair, const Tmodulo& module) {
  (pair.count == 0 ? pair.first : pair.second) = module;
  ++pair.count;
}

bool aligned(const Tmodulo& a, const Tmodulo& b) {
  if (a.orientation == 'V') return a.y == b.y;
  if (a.orientation == 'H') return a.x == b.x;
  return true;
}

}  // namespace

SelectedPair get_two_selected_modules(int cell_index) {
  const Tcell& cell = std::as_const(Cells).at(static_cast<std::size_t>(cell_index));
  SelectedPair pair;
  for (const Tmodulo_agg& module : cell.free_modules)
    if (module.selected) note_selected(pair, as_bay_record(module));
  for (const Tlinea& wall : cell.walls)
    for (const Tmodulo& bay : wall.modules)
      if (bay.selected) note_selected(pair, bay);
  return pair;
}

std::string check_compact_pair(int cell_index) {
  const SelectedPair pair = get_two_selected_modules(cell_index);
  const Tmodulo& a = pair.first;
  const Tmodulo& b = pair.second;
  if (pair.count != 2) return "Devono essere selezionati 2 moduli";
  if (!a.group_code.empty() || !b.group_code.empty()) return "Moduli già utilizzati per Corvane";
  if (a.orientation != b.orientation) return "Moduli non paralleli";
  if (!aligned(a, b)) return "Moduli non allineati";
  if (a.length != b.length) return "I moduli devono avere la stessa lunghezza";
  if (a.width != kCompactModuleWidth || b.width != kCompactModuleWidth) return "I moduli devono essere larghi 577mm";
  return {};
}
