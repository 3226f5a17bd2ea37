#include "model/files/invalid_outlines.h"

#include <utility>
#include <vector>

#include "model/files/damaged_files.h"
#include "model/layout/geometry_check.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

void say_invalid_outlines(const std::string& path) {
  std::vector<std::string> names;
  for (const Tcell& cell : std::as_const(Cells))
    if (has_invalid_outline(cell)) names.push_back("\"" + cell.name + "\"");
  if (names.empty()) return;
  ui().show_message(lang_text(text::invalid_value) + "\r\nIn " + path +
                    " the room outline of these cells is invalid (a wall is slanted, or a corner disagrees with the "
                    "walls' normals):" +
                    listed_lines(names) +
                    "\r\nThe project is open as it was saved, and such a room can be edited as it is; drawing the "
                    "room again makes its outline valid.");
}
