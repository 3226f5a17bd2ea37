// Any bytes given to the line reader end in values or a FileError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/base/text_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  TextReader reader(text, "fuzz", CodePage::Windows1252);
  try {
    for (unsigned step = data[0]; !reader.at_end(); step = step * 5 + 1) {
      switch (step % 4) {
        case 0:
          reader.integer();
          break;
        case 1:
          reader.number();
          break;
        case 2:
          reader.boolean();
          break;
        default:
          reader.short_string();
          break;
      }
    }
  } catch (const FileError&) {
  }
  return 0;
}
