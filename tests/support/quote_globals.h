// Shared set-up of the quote tests: a temporary program folder with its user/
// folder, texts "t<n>", an empty register, quote header, company and code
// table, and a scripted user.
#pragma once

#include <gtest/gtest.h>

#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

class QuoteGlobalsTest : public FreshProjectTest {
 protected:
  void SetUp() override {
    LangTable.clear();
    for (int i = 0; i < 400; ++i) LangTable.push_back("t" + std::to_string(i));
    Customers.clear();
    CodesTable.clear();
    Company = Tazienda{};
    StructureTypes.assign(1, Tstructure_type{});
  }

  static Tcliente named(const std::string& name, std::vector<std::string> notes = {}) {
    return {name, "Via " + name, "20100", "Milano", "MI", "Italia", "02 1", "02 2", "", std::move(notes)};
  }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};
