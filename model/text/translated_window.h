// A window whose texts come from the translation table. Every window of the
// program that the language routine re-captions implements apply_language,
// which sets its own caption and the texts of its controls from LangTable;
// the main window calls it on every window, in creation order, whenever the
// language is loaded or changed. Plain C++, so that the windows of the
// printed output, which cannot see the editor, implement it too.
#pragma once

class TranslatedWindow {
 public:
  virtual ~TranslatedWindow() = default;
  virtual void apply_language() = 0;
};
