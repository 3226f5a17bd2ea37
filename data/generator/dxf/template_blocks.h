// The layers and block definitions of the two template drawings, for every
// size the shipped catalogues, code table and compact-shelving kits hold. The
// block names come from the exports' own name builders.
#pragma once

#include <string>
#include <vector>

#include "shipped_sizes.h"
#include "template_document.h"

std::vector<TemplateLayer> plan_template_layers();
std::vector<TemplateBlock> plan_template_blocks(const ShippedSizes& sizes);
std::vector<TemplateLayer> solid_template_layers();
std::vector<TemplateBlock> solid_template_blocks(const ShippedSizes& sizes);
