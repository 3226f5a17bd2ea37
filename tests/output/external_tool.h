// Runs the tools that check the program's files from outside, and finds the
// files the scripts install. Where one is missing the test skips, except in
// CI (CI set), where it fails.
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

#define SKIP_OR_FAIL_WITHOUT_TOOL(program) SKIP_OR_FAIL_WITHOUT_FILE(program, X_OK)

// The same for a file the scripts install, read (R_OK) or run (X_OK).
#define SKIP_OR_FAIL_WITHOUT_FILE(path, mode)                 \
  do {                                                        \
    if (::access((path), (mode)) != 0) {                      \
      if (std::getenv("CI")) FAIL() << "CI needs " << (path); \
      GTEST_SKIP() << (path) << " is not installed";          \
    }                                                         \
  } while (0)
