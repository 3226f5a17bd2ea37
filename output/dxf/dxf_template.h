// The template procedure of both drawing exports: the template drawing is read
// into memory and split after its "ENTITIES" line, the export writes its
// entities after the head, and the tail, the picture blocks of the dimensions
// and the handle seed complete the drawing, which is written once through the
// safe writer: a failed export leaves the previous file as it was.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "output/dxf/dxf_entities.h"

struct DxfTemplate {
  std::string head;                   // up to and including the "ENTITIES" line, CR LF ended
  std::string tail;                   // the rest, CR LF ended
  std::set<std::string> block_names;  // the blocks its BLOCKS section defines
};

// A finished drawing: the whole file text, and the blocks the template lacks
// that were asked for and left out.
struct DxfDrawing {
  std::string text;
  std::set<std::string> missing_blocks;
};

// Splits a template drawing (CR LF or LF lines). Raises FileError naming the
// template when no line reads "ENTITIES" (surrounding blanks aside).
DxfTemplate parse_dxf_template(std::string_view text, const std::string& name);
// Reads and splits the template file. Raises FileError.
DxfTemplate read_dxf_template(const std::string& path);

// The whole drawing: head and entities, the tail, the dimension pictures as
// anonymous blocks (handles after the entities'), an empty line completing a
// last pair the template left open, and $HANDSEED set one above the last
// handle used. Raises FileError when dimensions were written and the
// template has no block table to hold their pictures.
std::string finish_dxf(DxfEntities& entities, const DxfTemplate& drawing);

// Replaces the value of the first "5" pair after the "9"/"$HANDSEED" pair by
// seed in hexadecimal, walking the text pair by pair (codes and values
// compared without surrounding blanks).
void patch_handle_seed(std::string& text, unsigned seed);
