// Shared set-up of the printed-document tests: known globals (texts "t<n>",
// an empty quote header, no logo), a page context drawing on a recording
// canvas, and pages of 2101 x 2971 pixels, so that one page millimetre is
// exactly 10 pixels.
#pragma once

#include <gtest/gtest.h>

#include <QLocale>
#include <string>

#include "model/state/globals.h"
#include "output/print/page_context.h"
#include "output/print/render_driver.h"
#include "recording_canvas.h"
#include "support/fresh_project_fixture.h"
#include "support/program_dir.h"

class PrintTest : public FreshProjectTest {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    CodesTable.clear();
    Company = Tazienda{};
    StructureTypes = {Tstructure_type{300, 301, 302, 303, "", 0}};
    LangTable.clear();
    for (int i = 0; i < 400; ++i) LangTable.push_back("t" + std::to_string(i));
    auto recorder = std::make_unique<RecordingCanvas>();
    canvas_ = recorder.get();
    page.page_canvas = std::move(recorder);
    page.preview_size = {2101, 2971};
  }
  void TearDown() override {
    CodesTable.clear();
    LangTable.clear();
    StructureTypes.clear();
    QLocale::setDefault(QLocale::c());
  }

  RecordingCanvas& canvas() { return *canvas_; }
  // Renders the preview pages afresh and returns the page count.
  int render() {
    canvas_->texts.clear();
    canvas_->shapes.clear();
    canvas_->page = -1;
    build_preview(page);
    return static_cast<int>(page.preview_pages.size());
  }
  // The only recorded text equal to text.
  RecordedText text(const std::string& wanted) {
    auto found = canvas_->find(wanted);
    EXPECT_EQ(found.size(), 1u) << wanted;
    return found.empty() ? RecordedText{} : found.front();
  }

  TempProgramDir program_dir_;
  PageContext page;

 private:
  RecordingCanvas* canvas_ = nullptr;
};
