// Runs the PDF tools that check the writer's files from outside. Where a tool
// is missing the test skips, except in CI (CI set), where it fails.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

struct ToolResult {
  int exit_code = -1;
  std::string output;  // standard output and standard error together
};

// Runs program (an absolute path) with the arguments, no shell involved.
ToolResult run_tool(const std::string& program, const std::vector<std::string>& arguments);

#define SKIP_OR_FAIL_WITHOUT_TOOL(program)                       \
  do {                                                           \
    if (::access((program), X_OK) != 0) {                        \
      if (std::getenv("CI")) FAIL() << "CI needs " << (program); \
      GTEST_SKIP() << (program) << " is not installed";          \
    }                                                            \
  } while (0)
