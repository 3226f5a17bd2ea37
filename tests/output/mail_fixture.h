// Shared set-up of the mail tests: a recording xdg-email first on PATH, which
// stands for the desktop's, and a project of one cell with a quote header.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

using Arguments = std::vector<std::string>;

// Records its arguments NUL-separated, may sleep or wait (a minute at most)
// for the file FAKE_WAIT_FOR to appear, then exits with FAKE_EXIT.
constexpr const char* kFakeXdgEmail = R"(#!/bin/sh
printf '%s\0' "$@" > "$MAIL_RECORD"
if [ -n "$FAKE_SLEEP" ]; then sleep "$FAKE_SLEEP"; touch "$MAIL_RECORD.finished"; fi
if [ -n "$FAKE_WAIT_FOR" ]; then
  n=0
  while [ ! -e "$FAKE_WAIT_FOR" ] && [ $n -lt 6000 ]; do sleep 0.01; n=$((n + 1)); done
  if [ -e "$FAKE_WAIT_FOR" ]; then touch "$MAIL_RECORD.finished"; fi
fi
exit "${FAKE_EXIT:-0}"
)";

class Mail : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_path_ = std::getenv("PATH");
    std::string fake = tools_.write("bin/xdg-email", kFakeXdgEmail);
    std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
    setenv("PATH", (tools_.file("bin") + ":" + saved_path_).c_str(), 1);
    setenv("MAIL_RECORD", tools_.file("record").c_str(), 1);
    saved_cells_ = Cells;
    Cells = {sample_cell("Magazzino", 2, 2, 0)};
    QuoteDetails = {{}};
    QuoteHeader = sample_quote_header();
  }
  void TearDown() override {
    setenv("PATH", saved_path_.c_str(), 1);
    for (const char* name : {"MAIL_RECORD", "FAKE_EXIT", "FAKE_SLEEP", "FAKE_WAIT_FOR", "MAILER"}) unsetenv(name);
    Cells = saved_cells_;
    QuoteDetails.clear();
    QuoteHeader = Tprv{};
  }
  Arguments recorded() {
    Arguments arguments;
    std::string bytes = tools_.read("record");
    for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
      arguments.push_back(bytes.substr(start, end - start));
    return arguments;
  }

  TempProgramDir program_dir_;
  TempDir tools_;
  std::string saved_path_;
  Tcells saved_cells_;
  ScopedScriptedUi ui_;
};
