// One fuzz target per 3-D reader: FUZZED_READER names the function of
// file_inputs.h this build feeds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "file_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!FUZZED_READER(std::string(reinterpret_cast<const char*>(data), size))) std::abort();
  return 0;
}
