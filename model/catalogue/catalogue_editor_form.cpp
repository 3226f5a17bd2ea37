#include "model/catalogue/catalogue_editor_form.h"

#include "model/base/file_io.h"
#include "model/state/ui_seam.h"

CatalogueEditorForm load_catalogue_editor_form() {
  CatalogueEditorForm form;
  try {
    form.texts = load_catalogue_editor_texts();
    form.loaded = true;
  } catch (const FileError& error) {
    ui().show_message(error.what());
  }
  return form;
}

bool close_catalogue_editor_form(const CatalogueEditorForm& form, int stored_language) {
  return !form.loaded || close_catalogue_editor(form.texts, stored_language);
}
