// Every test of the 3-D foundation starts from the library's initialisation,
// as the program does.
#pragma once

#include <gtest/gtest.h>

#include "gfx3d/core/initialization.h"

class Gfx3DTest : public testing::Test {
 protected:
  void SetUp() override { InitializeGfx3D(); }
};
