// The process-wide registry of outline fonts turned into display lists. Texts
// with the same font, style, extrusion, deviation and character range share
// one entry, counted per text; the last release deletes the lists.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gfx3d/gl/gl_context.h"
#include "scene3d/text/glyph_outlines.h"
#include "scene3d/text/text_font.h"

class TGLSpaceText;

struct TFontEntry {
  std::string name;
  // Names the block of lists, one per character from firstChar on.
  std::unique_ptr<TGLVirtualHandle> listHandle;
  TFontStyles style = 0;
  float extrusion = 0;
  int refCount = 0;
  float allowedDeviation = 0;
  int firstChar = 0;
  int lastChar = 0;
  std::array<TGlyphMetricsFloat, 256> glyphMetrics{};
  std::vector<TGLSpaceText*> clients;

  int CharCount() const { return lastChar - firstChar + 1; }
};

class TFontManager {
 public:
  TFontManager() = default;
  // Deletes every entry's lists and tells their texts.
  ~TFontManager();
  TFontManager(const TFontManager&) = delete;
  TFontManager& operator=(const TFontManager&) = delete;

  int Count() const { return static_cast<int>(entries_.size()); }
  // The entry of that font (name in any ASCII letter case), or null.
  TFontEntry* FindFont(const std::string& name, TFontStyles style, float extrusion, float deviation, int first,
                       int last) const;
  // The font's entry with its lists, counting the client once more. Raises
  // "FontManager: no more display lists available" or "FontManager: font
  // creation failed"; after a failure the client holds no count and the next
  // call tries again.
  TFontEntry* GetFontBase(const std::string& name, TFontStyles style, TGLSpaceText* client, float extrusion,
                          float deviation, int first, int last);
  // One count less; the client, when given, is told its entry is gone. The
  // last count deletes the lists and tells the remaining clients.
  void Release(TFontEntry* entry, TGLSpaceText* client);

 private:
  void BuildLists(TFontEntry& entry);
  std::vector<std::unique_ptr<TFontEntry>> entries_;
};

// The one manager, made on first use.
TFontManager& FontManager();
