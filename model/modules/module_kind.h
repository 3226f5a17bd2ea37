// The kind of a free module, read from its code in this one place, and the
// trolley's code and raise; the compact codes are in compact_codes.h.
#pragma once

#include <string_view>

#include "model/base/records.h"

inline constexpr std::string_view kTrolleyCode = "CARRELLO";
// A trolley's floor stands on its wheels this far up, mm: all it carries is raised by it.
inline constexpr double TrolleyLift = 111.6;

ModuleKind module_kind(std::string_view code);
