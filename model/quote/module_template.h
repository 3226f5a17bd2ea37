// The sizes of a cell's modules written into a page title template.
#pragma once

#include <string>

#include "model/base/records.h"

// Replaces the first "%n", "%l" and "%h" of a title template by the shelf
// counts, depths and heights used in the cell's bays and free modules,
// ascending and joined by "/" ("1700/2000"). A missing marker is left out.
std::string expand_module_template(const std::string& title_template, const Tcell& cell);
