// What the catalogue editor window edits: the texts of its files, read when it
// opens. Files that could not be read leave the form unloaded, and nothing may
// then be saved over them.
#pragma once

#include "model/catalogue/catalogue_editor.h"

struct CatalogueEditorForm {
  CatalogueEditorTexts texts;
  bool loaded = false;
};

// Reads the files; a file that cannot be read is reported and the form stays unloaded.
CatalogueEditorForm load_catalogue_editor_form();
// Closing: an unloaded form closes at once, a loaded one after the save
// question (see close_catalogue_editor); false keeps the window open, so no
// edit is lost.
bool close_catalogue_editor_form(const CatalogueEditorForm& form, int stored_language);
