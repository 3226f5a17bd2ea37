// Where texture-coordinate calls go in each mapping mode, on the recording table.
#include "gfx3d/materials/multitexture_mapping.h"

#include <gtest/gtest.h>

#include "gfx3d/core/library_errors.h"
#include "support/recording_gl.h"

class MultitextureMapping : public testing::Test {
 protected:
  void SetUp() override {
    GLFlags().ARB_multitexture = true;
    XGLMapTexCoordToNull();
    gl.Clear();
  }
  void TearDown() override {
    XGLAllowSecondTextureUnit();
    XGLMapTexCoordToNull();
  }
  RecordingGL gl;
};

TEST_F(MultitextureMapping, RoutesEachModeToItsUnits) {
  using Names = std::vector<std::string>;
  struct Case {
    void (*map)();
    Names coordinates;
    Names enables;
    unsigned mask;
  };
  for (const Case& c : {Case{XGLMapTexCoordToMain, {"glTexCoord2f"}, {"glEnable"}, 1},
                        Case{XGLMapTexCoordToDual,
                             {"glTexCoord2f", "glMultiTexCoord2fARB"},
                             {"glEnable", "glActiveTextureARB", "glEnable", "glActiveTextureARB"},
                             3},
                        Case{XGLMapTexCoordToSecond,
                             {"glMultiTexCoord2fARB"},
                             {"glActiveTextureARB", "glEnable", "glActiveTextureARB"},
                             2},
                        Case{[] { XGLMapTexCoordToArbitraryMask(5); },
                             {"glMultiTexCoord2fARB", "glMultiTexCoord2fARB"},
                             {"glActiveTextureARB", "glEnable", "glActiveTextureARB", "glEnable", "glActiveTextureARB"},
                             5}}) {
    c.map();
    EXPECT_EQ(XGLGetBitWiseMapping(), c.mask);
    gl.Clear();
    xglTexCoord2f(0.5f, 0.25f);
    EXPECT_EQ(gl.Names(), c.coordinates) << c.mask;
    gl.Clear();
    xglEnable(GL_TEXTURE_GEN_S);
    EXPECT_EQ(gl.Names(), c.enables) << c.mask;
  }
  gl.Clear();
  xglEnableClientState(GL_TEXTURE_COORD_ARRAY);
  ASSERT_FALSE(gl.calls.empty());
  EXPECT_EQ(gl.calls.back().name, "glClientActiveTextureARB");
  EXPECT_EQ(gl.calls.back().args[0], GL_TEXTURE0_ARB);

  XGLMapTexCoordToNull();
  gl.Clear();
  xglTexCoord2f(0, 0);
  EXPECT_TRUE(gl.calls.empty());
  EXPECT_THROW(XGLGetBitWiseMapping(), EAssertionFailed);
  XGLMapTexCoordToArbitraryAdd(4);
  EXPECT_EQ(XGLGetBitWiseMapping(), 4u);
}

TEST_F(MultitextureMapping, ForbiddenSecondUnitAndUpdateBrackets) {
  XGLForbidSecondTextureUnit();
  XGLMapTexCoordToDual();
  EXPECT_EQ(XGLCurrentMapping(), mtcmMain);
  EXPECT_EQ(XGLGetBitWiseMapping(), 1u);
  XGLMapTexCoordToArbitraryMask(3);
  EXPECT_EQ(XGLGetBitWiseMapping(), 1u);
  XGLAllowSecondTextureUnit();

  XGLMapTexCoordToMain();
  XGLBeginUpdate();
  XGLBeginUpdate();
  XGLMapTexCoordToDual();
  EXPECT_EQ(XGLGetBitWiseMapping(), 3u) << "the requested mode answers while updating";
  XGLMapTexCoordToMain();
  XGLEndUpdate();
  XGLEndUpdate();
  EXPECT_EQ(XGLCurrentMapping(), mtcmMain);
  EXPECT_TRUE(gl.calls.empty());
}
