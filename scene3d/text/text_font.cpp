#include "scene3d/text/text_font.h"

#include "scene3d/graph/change_setters.h"

void TFont::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TFont*>(source)) {
    name_ = other->name_;
    style_ = other->style_;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

void TFont::SetName(const std::string& value) {
  StoreOnChange(name_, value, [this] { Changed(); });
}

void TFont::SetStyle(TFontStyles value) {
  StoreOnChange(style_, value, [this] { Changed(); });
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}
