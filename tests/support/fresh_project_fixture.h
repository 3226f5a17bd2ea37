// The fixture of tests that each start on a fresh project (fresh_project.h).
#pragma once

#include <gtest/gtest.h>

#include "support/fresh_project.h"

// The reset comes before the fixture's members are made and after they are gone.
class FreshProjectTest : public testing::Test, private FreshProject {};
