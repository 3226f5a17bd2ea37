#include "gfx3d/core/library_errors.h"

void Assert(bool condition, const char* unit, int line, const std::string& message) {
  if (condition) return;
  const std::string where = line > 0 ? std::string(unit) + ", line " + std::to_string(line) : std::string(unit);
  throw EAssertionFailed(message + " (" + where + ")");
}
