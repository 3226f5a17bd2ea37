// The layers and block definitions of the two template drawings, for every
// size the shipped catalogues, code table and compact-shelving kits hold. The
// block names come from the exports' own name builders.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "template_document.h"

struct TemplateSizes {
  std::set<double> widths;   // module depths
  std::set<double> heights;  // frame heights
  std::set<double> lengths;  // module lengths
  std::set<double> kit_lengths;
  std::set<std::string> shelf_suffixes;
};

std::vector<TemplateLayer> plan_template_layers();
std::vector<TemplateBlock> plan_template_blocks(const TemplateSizes& sizes);
std::vector<TemplateLayer> solid_template_layers();
std::vector<TemplateBlock> solid_template_blocks(const TemplateSizes& sizes);
