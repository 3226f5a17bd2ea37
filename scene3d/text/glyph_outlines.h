// Characters of an outline font as display lists: each list draws one glyph
// as a solid (its face tessellated like the contours, extruded along Z) and
// then moves the pen by the glyph's advance, so a string is drawn by calling
// its characters' lists in turn. Outlines come from Qt's raw fonts, in em
// units, for character codes of the Windows-1252 code page.
#pragma once

#include <GL/gl.h>

#include <span>
#include <string>

#include "scene3d/text/text_font.h"

// One character's box and advance, in em, Y up, relative to the pen position.
struct TGlyphMetricsFloat {
  float blackBoxX = 0, blackBoxY = 0;  // width and height of the glyph's bounds
  float originX = 0, originY = 0;      // top-left corner of the bounds
  float cellIncX = 0, cellIncY = 0;    // how far the pen moves
};

// Fills the lists base .. base + metrics.size() - 1 with the characters from
// first on. The face at z = 0 faces +Z and the solid reaches back to
// z = -extrusion; deviation is the largest distance, in em, of the flattened
// outline from its curves (0 or below for a fine default). Codes without a
// glyph get an empty list and zero metrics. False when the font cannot be
// loaded (no application for Qt's fonts, or no such family).
bool BuildOutlineGlyphLists(const std::string& fontName, TFontStyles style, int first, GLuint base, float deviation,
                            float extrusion, std::span<TGlyphMetricsFloat> metrics);
