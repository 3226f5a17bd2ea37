// The toolkit font as the 3-D text uses it: a name and a style, each change
// reported to the owner through OnChange.
#pragma once

#include <cstdint>
#include <string>

#include "gfx3d/core/notification.h"

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

class TFont : public TPersistent {
 public:
  std::string ClassName() const override { return "TFont"; }
  // Another font's name and style, reported as one change.
  void Assign(const TPersistent* source) override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);
  TNotifyEvent OnChange;

 private:
  void Changed();

  std::string name_ = "Arial";
  TFontStyles style_ = 0;
};
