#include "model/modules/module_kind.h"

#include "model/catalogue/compact_codes.h"

ModuleKind module_kind(std::string_view code) {
  if (code == kTrolleyCode) return ModuleKind::Trolley;
  if (is_fixed_compact_code(code)) return ModuleKind::FixedCompact;
  if (is_mobile_compact_code(code)) return ModuleKind::MobileCompact;
  return ModuleKind::Plain;
}

ModuleKind Tmodulo_agg::kind() const { return module_kind(code); }
