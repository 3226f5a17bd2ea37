// Linked into every test program that draws: ends the 3-D library after the
// last test, as the program's main does, so that no GL driver thread is still
// running when the leak checker stops the process at exit.
#include <gtest/gtest.h>

#include "gfx3d/core/initialization.h"

namespace {

class Gfx3DEnd : public testing::Environment {
 public:
  void TearDown() override { FinalizeGfx3D(); }
};

[[maybe_unused]] testing::Environment* const gfx3d_end = testing::AddGlobalTestEnvironment(new Gfx3DEnd);

}  // namespace
