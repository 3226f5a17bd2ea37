#include "output/dxf/dxf_export_command.h"

#include <exception>
#include <filesystem>

#include "model/base/string_utils.h"
#include "model/state/ui_seam.h"
#include "output/dxf/dxf_export.h"

std::string dxf_file_name(const std::string& chosen) {
  const std::string extension = std::filesystem::path(chosen).extension().string();
  return equal_ignoring_ascii_case(extension, ".dxf") ? chosen : chosen + ".dxf";
}

void run_dxf_export(bool three_d) {
  std::string path;
  if (!ui().ask_save_file_name("", three_d ? "Dxf 3D (*.dxf)" : "Dxf 2D (*.dxf)", path)) return;
  try {
    if (three_d)
      export_dxf_3d(dxf_file_name(path));
    else
      export_dxf_2d(dxf_file_name(path));
  } catch (const std::exception& error) {
    ui().show_message(error.what());
  }
}
