#include "scene3d/text/space_text.h"

#include <algorithm>
#include <cmath>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/text/font_manager.h"
#include "scene3d/text/windows_1252.h"

namespace {

constexpr const char* kUnit = "GLSpaceText";

struct CharBounds {
  int first, last;
};

CharBounds BoundsOf(TSpaceTextCharRange range) {
  switch (range) {
    case stcrAlphaNum:
      return {32, 127};
    case stcrNumbers:
      return {48, 57};
    case stcrAll:
      break;
  }
  return {0, 255};
}

}  // namespace

void TGLTextAdjust::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLTextAdjust*>(source)) {
    horz_ = other->horz_;
    vert_ = other->vert_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TGLTextAdjust::SetHorz(TGLTextHorzAdjust value) {
  StoreOnChange(horz_, value, [this] { Changed(); });
}

void TGLTextAdjust::SetVert(TGLTextVertAdjust value) {
  StoreOnChange(vert_, value, [this] { Changed(); });
}

void TGLTextAdjust::Changed() {
  if (OnChange) OnChange(this);
}

TGLSpaceText::TGLSpaceText(TComponent* owner) : TGLStageObject(owner) {
  font_.OnChange = [this](TObject*) { FontChanged(); };
  adjust_.OnChange = [this](TObject*) { FontChanged(); };
}

TGLSpaceText::~TGLSpaceText() {
  if (entry_) FontManager().Release(entry_, this);
}

void TGLSpaceText::SetText(const std::string& value) {
  StoreOnChange(text_, value, [this] { StructureChanged(); });
}

void TGLSpaceText::SetExtrusion(float value) {
  Assert(value >= 0, kUnit, __LINE__, "Extrusion must be >=0");
  StoreOnChange(extrusion_, value, [this] { FontChanged(); });
}

void TGLSpaceText::SetAllowedDeviation(float value) {
  StoreOnChange(allowed_deviation_, std::max(value, 0.0f), [this] { FontChanged(); });
}

void TGLSpaceText::SetCharacterRange(TSpaceTextCharRange value) {
  StoreOnChange(character_range_, value, [this] { FontChanged(); });
}

void TGLSpaceText::SetAdjust(const TGLTextAdjust& value) {
  adjust_.Assign(&value);
  StructureChanged();
}

void TGLSpaceText::SetAspectRatio(float value) {
  StoreOnChange(aspect_ratio_, value, [this] { StructureChanged(); });
}

void TGLSpaceText::SetOblique(float value) {
  StoreOnChange(oblique_, value, [this] { StructureChanged(); });
}

void TGLSpaceText::SetTextHeight(float value) {
  StoreOnChange(text_height_, value, [this] { StructureChanged(); });
}

void TGLSpaceText::FontChanged() {
  font_changed_ = true;
  StructureChanged();
}

void TGLSpaceText::FontEntryReleased() {
  entry_ = nullptr;
  font_changed_ = true;
}

void TGLSpaceText::DestroyHandle() {
  font_changed_ = true;
  TGLStageObject::DestroyHandle();
}

void TGLSpaceText::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (font_changed_ || (entry_ && entry_->listHandle->Handle() == 0)) {
    TFontManager& manager = FontManager();
    if (entry_) manager.Release(entry_, this);
    const CharBounds range = BoundsOf(character_range_);
    entry_ =
        manager.GetFontBase(font_.Name(), font_.Style(), this, extrusion_, allowed_deviation_, range.first, range.last);
    font_changed_ = false;
    // The text's own list calls the glyph lists by name: a new block needs a new list.
    StructureChanged();
  }
  TGLStageObject::DoRender(rci, renderSelf, renderChildren);
}

std::string TGLSpaceText::DrawnCodes(const std::string& text) const {
  if (!entry_) return {};
  std::string codes = Utf8ToWindows1252(text);
  // Codes outside the range would call lists of other blocks.
  std::erase_if(codes, [this](char c) {
    const int code = static_cast<unsigned char>(c);
    return code < entry_->firstChar || code > entry_->lastChar;
  });
  return codes;
}

TTextExtent TGLSpaceText::TextMetrics(const std::string& text) const {
  TTextExtent extent;
  for (const char c : DrawnCodes(text)) {
    const TGlyphMetricsFloat& m =
        entry_->glyphMetrics[static_cast<std::size_t>(static_cast<unsigned char>(c) - entry_->firstChar)];
    extent.width += m.cellIncX;
    extent.top = std::max(extent.top, m.originY);
    extent.bottom = std::min(extent.bottom, m.originY - m.blackBoxY);
  }
  return extent;
}

void TGLSpaceText::BuildList(TRenderContextInfo&) {
  const std::string codes = DrawnCodes(text_);
  if (codes.empty()) return;
  auto& gl = GL();
  gl.glPushMatrix();
  if (aspect_ratio_ != 0) gl.glScalef(aspect_ratio_, 1, 1);
  if (oblique_ != 0) gl.glRotatef(oblique_, 0, 0, 1);
  if (adjust_.Horz() != haLeft || adjust_.Vert() != vaBaseLine || text_height_ != 0) {
    const TTextExtent extent = TextMetrics(text_);
    // A text with nothing above the base line has no height to scale to.
    if (text_height_ != 0 && extent.top != 0) {
      const float s = text_height_ / extent.top;
      gl.glScalef(s, s, 1);
    }
    float dx = 0, dy = 0;
    if (adjust_.Horz() == haCenter) dx = -extent.width / 2;
    if (adjust_.Horz() == haRight) dx = -extent.width;
    if (adjust_.Vert() == vaTop) dy = -extent.top;
    if (adjust_.Vert() == vaCenter) dy = std::fabs(extent.bottom) / 2 - extent.top / 2;
    if (adjust_.Vert() == vaBottom) dy = std::fabs(extent.bottom);
    if (dx != 0 || dy != 0) gl.glTranslatef(dx, dy, 0);
  }
  gl.glPushAttrib(GL_POLYGON_BIT);
  gl.glListBase(entry_->listHandle->Handle() - static_cast<GLuint>(entry_->firstChar));
  gl.glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
  gl.glPopAttrib();
  gl.glPopMatrix();
}
