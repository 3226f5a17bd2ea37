// 3-D text: glyph outlines and metrics from the installed fonts, the code
// page, the font manager's shared entries, and frames read back from Mesa.
#include "scene3d/text/space_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "gfx3d/core/library_errors.h"
#include "lit_region.h"
#include "scene3d/text/font_manager.h"
#include "scene3d/text/glyph_outlines.h"
#include "scene3d/text/windows_1252.h"
#include "scene_fixture.h"
#include "support/recording_gl.h"

namespace {

// Pixels per scene unit at the camera's distance from the origin.
constexpr double kPixelsPerUnit = 10.69;
// Liberation Sans, the metric twin of Arial: 1139 of 2048 units for a digit.
constexpr float kDigitAdvance = 1139.0f / 2048;

using SpaceText = SceneTest;

TEST_F(SpaceText, CodePageBytesFollowWindows1252) {
  EXPECT_EQ(Windows1252ToUnicode(0x80), U'\u20AC');
  EXPECT_EQ(Windows1252ToUnicode(0x81), 0u);  // undefined
  EXPECT_EQ(Windows1252ToUnicode(0xE9), U'\u00E9');
  EXPECT_EQ(Windows1252ToUnicode('8'), U'8');
  EXPECT_EQ(Utf8ToWindows1252("8 \u20AC \u00E9\u201C\u4E2D"), "8 \x80 \xE9\x93");  // the CJK letter has no code
}

TEST_F(SpaceText, ArialGlyphsComeFromItsMetricTwinAndTheDeviationSetsTheFlattening) {
  TGlyphMetricsFloat metrics[1];
  auto verticesAt = [&](float deviation) {
    RecordingGL gl;
    EXPECT_TRUE(BuildOutlineGlyphLists("arial", 0, '8', 1, deviation, 0, metrics));
    EXPECT_EQ(gl.Count("glNewList"), 1);
    return gl.Count("glVertex3f");
  };
  const int fine = verticesAt(0.001f);
  const int coarse = verticesAt(0.05f);
  EXPECT_GT(coarse, 0);
  EXPECT_LT(coarse * 2, fine);
  EXPECT_NEAR(metrics[0].cellIncX, kDigitAdvance, 1e-4f);
  EXPECT_NEAR(metrics[0].originY, 0.72f, 0.03f);                     // the digit's top, Y up
  EXPECT_NEAR(metrics[0].originY - metrics[0].blackBoxY, 0, 0.03f);  // sits on the base line
  EXPECT_GT(metrics[0].originX, 0);
}

TEST_F(SpaceText, CodesWithoutAGlyphGetAnEmptyListAndNoAdvance) {
  std::array<TGlyphMetricsFloat, 3> metrics;
  RecordingGL gl;
  ASSERT_TRUE(BuildOutlineGlyphLists("Arial", 0, 0x80, 1, 0, 0.1f, metrics));  // euro, undefined, low quote
  EXPECT_EQ(gl.Count("glNewList"), 3);
  EXPECT_GT(metrics[0].cellIncX, 0);
  EXPECT_EQ(metrics[1].cellIncX, 0);
  EXPECT_EQ(metrics[1].blackBoxX, 0);
  EXPECT_GT(metrics[2].cellIncX, 0);
}

TEST_F(SpaceText, DefaultsAndWritersClampRefuseAndMarkTheStructureChanged) {
  TGLSpaceText text(nullptr);
  EXPECT_EQ(text.Font().Name(), "Arial");
  EXPECT_THROW(text.SetExtrusion(-1), EAssertionFailed);
  text.SetAllowedDeviation(-3);
  EXPECT_EQ(text.AllowedDeviation(), 0);
  text.ClearStructureChanged();
  text.Adjust().SetHorz(haCenter);
  EXPECT_TRUE(text.Changes() & chStructure);
  EXPECT_TRUE(text.TextMetrics("8").width == 0);  // no entry yet
}

TEST_F(SpaceText, AFontThatCannotBeBuiltLeavesNoEntryOrCountBehind) {
  ASSERT_EQ(CurrentGLContext(), nullptr);  // so GL hands out no list names
  TGLSpaceText text(nullptr);
  TFontManager& manager = FontManager();
  const int before = manager.Count();
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      manager.GetFontBase("Arial", fsBold, &text, 0, 0, 48, 57);
      ADD_FAILURE() << "built without a context";
    } catch (const ELibraryError& error) {
      EXPECT_STREQ(error.what(), "FontManager: no more display lists available");
    }
    EXPECT_EQ(manager.Count(), before);
    EXPECT_EQ(manager.FindFont("arial", fsBold, 0, 0, 48, 57), nullptr);
    EXPECT_EQ(text.FontEntry(), nullptr);
  }
}

class RenderedText : public OffscreenSceneTest {
 protected:
  void SetUp() override {
    OffscreenSceneTest::SetUp();
    program.camera->Position().SetPoint(0, 0, 282.84f);  // the program's distance, looking straight down -Z
  }

  TGLSpaceText* AddText(const std::string& value, float scale = 20) {
    auto* text = program.scene.Objects().NewChildOfClass<TGLSpaceText>();
    text->SetText(value);
    text->Scale().SetVector(scale, scale, scale);
    return text;
  }

  // Whether the name is a display list in the viewer's context.
  bool IsList(GLuint name) {
    TGLContext* context = viewer.Buffer().RenderingContext();
    context->Activate();
    const bool answer = GL().glIsList(name) == GL_TRUE;
    context->Deactivate();
    return answer;
  }
};

TEST_F(RenderedText, AnEightShowsItsTwoHolesThroughTheExtrudedGlyph) {
  TGLSpaceText* eight = AddText("8");
  eight->SetExtrusion(0.3f);
  eight->Adjust().SetHorz(haCenter);
  eight->Adjust().SetVert(vaCenter);
  const QImage picture = Capture();
  const LitRegion region = LitRegionOf(picture);
  ASSERT_GT(region.count, 1000);
  // Centred on the origin, the glyph's height of about 0.73 em at 20 units per em.
  EXPECT_NEAR((region.left + region.right) / 2.0, kViewWidth / 2.0, 4);
  EXPECT_NEAR((region.top + region.bottom) / 2.0, kViewHeight / 2.0, 4);
  EXPECT_NEAR(region.bottom - region.top, 0.73 * 20 * kPixelsPerUnit, 12);
  // Down the middle: stroke, hole, stroke, hole, stroke.
  int strokes = 0, holes = 0;
  bool previous = false;
  for (int y = region.top; y <= region.bottom; ++y) {
    const bool lit = IsLit(picture, kViewWidth / 2, y);
    if (lit && !previous) ++strokes;
    if (!lit && previous) ++holes;
    previous = lit;
  }
  EXPECT_EQ(strokes, 3);
  EXPECT_EQ(holes, 2);
}

TEST_F(RenderedText, BaseLineAndLeftDrawAtTheOriginAndTextHeightScalesTheTop) {
  TGLSpaceText* text = AddText("8");
  LitRegion region = LitRegionOf(Capture());
  ASSERT_GT(region.count, 0);
  EXPECT_GT(region.left, kViewWidth / 2);  // the glyph's left bearing
  EXPECT_LT(region.left, kViewWidth / 2 + 0.2 * 20 * kPixelsPerUnit);
  EXPECT_NEAR(region.bottom, kViewHeight / 2, 4);  // on the base line through the origin
  text->SetTextHeight(0.5f);                       // the digit's top at half a unit, times the object's scale
  region = LitRegionOf(Capture());
  EXPECT_NEAR(kViewHeight / 2 - region.top, 0.5 * 20 * kPixelsPerUnit, 4);
}

TEST_F(RenderedText, TextHeightLeavesAFigureWithoutTopUnscaledAndOutOfRangeCodesDrawNothing) {
  TGLSpaceText* low = AddText("_");  // wholly below the base line: top 0
  low->SetTextHeight(2);
  EXPECT_GT(LitRegionOf(Capture()).count, 0);
  low->SetText("A");
  low->SetCharacterRange(stcrNumbers);
  EXPECT_EQ(LitRegionOf(Capture()).count, 0);
  EXPECT_EQ(low->TextMetrics("A8").width, low->TextMetrics("8").width);
  EXPECT_NEAR(low->TextMetrics("A8").width, kDigitAdvance, 1e-4f);
}

TEST_F(RenderedText, TextsOfOneFontShareOneEntryUntilTheLastGoes) {
  TFontManager& manager = FontManager();
  const int before = manager.Count();
  TGLSpaceText* first = AddText("1");
  TGLSpaceText* second = AddText("2");
  second->Font().SetName("arial");
  Capture();
  ASSERT_NE(first->FontEntry(), nullptr);
  EXPECT_EQ(first->FontEntry(), second->FontEntry());
  EXPECT_EQ(manager.Count(), before + 1);
  const TFontEntry* entry = first->FontEntry();
  EXPECT_EQ(entry->refCount, 2);
  const GLuint base = entry->listHandle->Handle();
  EXPECT_TRUE(IsList(base + '1'));
  delete first;
  EXPECT_EQ(entry->refCount, 1);
  EXPECT_TRUE(IsList(base + '1'));
  second->SetExtrusion(0.5f);  // another entry; the old one's last count goes at the next render
  Capture();
  ASSERT_NE(second->FontEntry(), nullptr);
  EXPECT_EQ(second->FontEntry()->extrusion, 0.5f);
  EXPECT_EQ(manager.Count(), before + 1);
  EXPECT_FALSE(IsList(base + '1'));
  delete second;
  EXPECT_EQ(manager.Count(), before);
}

}  // namespace
