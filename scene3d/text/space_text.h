// Text drawn as extruded 3-D glyphs. The glyphs' display lists come from the
// font manager, shared by every text with the same font, style, extrusion,
// deviation and character range; the text's own list places and calls them.
#pragma once

#include <cstdint>
#include <string>

#include "scene3d/graph/stage_object.h"
#include "scene3d/text/text_font.h"

struct TFontEntry;

enum TGLTextHorzAdjust : std::uint8_t { haLeft, haCenter, haRight, haAligned, haCentrically, haFitIn };
enum TGLTextVertAdjust : std::uint8_t { vaTop, vaCenter, vaBottom, vaBaseLine };
enum TSpaceTextCharRange : std::uint8_t { stcrAlphaNum, stcrNumbers, stcrAll };

// Where the text sits against its origin; each change is reported through OnChange.
class TGLTextAdjust : public TPersistent {
 public:
  std::string ClassName() const override { return "TGLTextAdjust"; }
  void Assign(const TPersistent* source) override;
  TGLTextHorzAdjust Horz() const { return horz_; }
  void SetHorz(TGLTextHorzAdjust value);
  TGLTextVertAdjust Vert() const { return vert_; }
  void SetVert(TGLTextVertAdjust value);
  TNotifyEvent OnChange;

 private:
  void Changed();
  TGLTextHorzAdjust horz_ = haLeft;
  TGLTextVertAdjust vert_ = vaBaseLine;
};

struct TTextExtent {
  float width = 0, top = 0, bottom = 0;
};

class TGLSpaceText : public TGLStageObject {
 public:
  explicit TGLSpaceText(TComponent* owner);
  // Gives its count on the font entry back.
  ~TGLSpaceText() override;
  std::string ClassName() const override { return "TGLSpaceText"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLSpaceText>(owner);
  }

  TFont& Font() { return font_; }
  void SetFont(const TFont& value) { font_.Assign(&value); }
  // UTF-8; drawn in the Windows-1252 code page, other characters left out.
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  float Extrusion() const { return extrusion_; }
  // Negative fails an assertion.
  void SetExtrusion(float value);
  float AllowedDeviation() const { return allowed_deviation_; }
  // 0 or below stores 0.
  void SetAllowedDeviation(float value);
  TSpaceTextCharRange CharacterRange() const { return character_range_; }
  void SetCharacterRange(TSpaceTextCharRange value);
  TGLTextAdjust& Adjust() { return adjust_; }
  void SetAdjust(const TGLTextAdjust& value);
  float AspectRatio() const { return aspect_ratio_; }
  void SetAspectRatio(float value);
  float Oblique() const { return oblique_; }
  void SetOblique(float value);
  float TextHeight() const { return text_height_; }
  void SetTextHeight(float value);

  // The glyphs must be fetched again before the next drawing.
  void FontChanged();
  // Called by the font manager when this text's entry goes away.
  void FontEntryReleased();
  const TFontEntry* FontEntry() const { return entry_; }

  // Advance, highest top and lowest bottom of the text's characters within the
  // range, in em; zero without an entry.
  TTextExtent TextMetrics(const std::string& text) const;

  void DestroyHandle() override;
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  // The text's code-page bytes that have lists in the current range.
  std::string DrawnCodes(const std::string& text) const;

  TFont font_;
  std::string text_;
  float extrusion_ = 0;
  float allowed_deviation_ = 0;
  TSpaceTextCharRange character_range_ = stcrAll;
  TGLTextAdjust adjust_;
  float aspect_ratio_ = 0;
  float oblique_ = 0;
  float text_height_ = 0;
  TFontEntry* entry_ = nullptr;
  bool font_changed_ = true;
};
