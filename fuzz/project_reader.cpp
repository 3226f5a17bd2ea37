// Any bytes given to the project reader end in a project or a FileError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/base/file_io.h"
#include "model/files/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    parse_project(text, "fuzz");
  } catch (const FileError&) {
  }
  return 0;
}
