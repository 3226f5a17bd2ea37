// Tests that need an OpenGL context skip where none can be had, except in CI
// (REQUIRE_GL=1), where a missing context fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline bool gl_is_required() {
  const char* value = std::getenv("REQUIRE_GL");
  return value && std::string(value) == "1";
}

#define SKIP_OR_FAIL_WITHOUT_GL(reason)                             \
  do {                                                              \
    if (gl_is_required()) FAIL() << "GL is required: " << (reason); \
    GTEST_SKIP() << "no GL context: " << (reason);                  \
  } while (0)
