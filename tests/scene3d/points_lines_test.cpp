// Point clouds and lines through coloured nodes: what they send to GL,
// how node colours follow the lines' node colour, and a stipple on Mesa.
#include <gtest/gtest.h>

#include <QImage>
#include <limits>
#include <vector>

#include "object_recording.h"
#include "scene3d/lines/lines.h"
#include "scene3d/lines/points.h"
#include "scene3d/objects/dodecahedron.h"
#include "scene_fixture.h"
#include "support/gl_pixel_fixture.h"

namespace {

using PointsAndLines = SceneTest;

TEST_F(PointsAndLines, PointsDrawOneWhitePointWithoutPositionsAndNoMoreThanTheColours) {
  TGLPoints points(nullptr);
  {
    const RecordedBuild build(points);
    ASSERT_EQ(build.primitives.size(), 1u);
    EXPECT_EQ(build.primitives[0].vertices.size(), 1u);
    EXPECT_EQ(build.Count("glColor4f"), 1);
    EXPECT_EQ(build.Count("glDrawArrays"), 0);
  }
  for (float x : {0.0f, 1.0f, 2.0f}) points.Positions().Add(TAffineVector{x, 0, 0});
  points.Colors().Add(TVector4f{1, 0, 0, 1});
  points.Colors().Add(TVector4f{0, 1, 0, 1});
  const RecordedBuild build(points);
  for (const RecordedCall& call : build.calls)
    if (call.name == "glDrawArrays") {
      EXPECT_EQ(call.args[2], 2);
    }
  EXPECT_EQ(build.Count("glDrawArrays"), 1);
  EXPECT_EQ(build.Count("glDisableClientState"), 2);
}

TEST_F(PointsAndLines, PointParametersClampAndTravelAsOneProperty) {
  TGLPoints points(nullptr);
  TGLPointParameters& parameters = points.PointParameters();
  EXPECT_FALSE(BinaryProperties(parameters).Stored("PointParams"));
  parameters.SetMinSize(-3);
  EXPECT_EQ(parameters.MinSize(), 0);
  parameters.SetMaxSize(64);
  EXPECT_TRUE(BinaryProperties(parameters).Stored("PointParams"));
  EXPECT_EQ(BinaryProperties(parameters).Written("PointParams").size(), 12u);
}

TEST_F(PointsAndLines, CubicSplineVertexCounts) {
  TGLLines lines(nullptr);
  lines.SetNodesAspect(lnaInvisible);
  lines.AddNode(0, 0, 0);
  EXPECT_TRUE(RecordedBuild(lines).calls.empty());  // one node: not even its marker
  lines.AddNode(1, 1, 0);
  lines.AddNode(2, 0, 0);
  lines.SetSplineMode(lsmCubicSpline);
  for (auto [division, vertices] : {std::pair{10, 21}, {1, 3}}) {
    lines.SetDivision(division);
    EXPECT_EQ(RecordedBuild(lines).VertexCount(), vertices) << division;
  }
  lines.SetDivision(0);
  EXPECT_EQ(lines.Division(), 1);
}

TEST_F(PointsAndLines, NURBSModeDrawsOnlyACurveWithAnOrderAndNodesPlusOrderKnots) {
  TGLLines lines(nullptr);
  lines.SetNodesAspect(lnaInvisible);
  for (float x : {0.0f, 1.0f, 2.0f}) lines.AddNode(x, x * x, 0);
  lines.SetSplineMode(lsmNURBSCurve);
  auto expectNoLine = [&](const char* why) {
    const RecordedBuild build(lines);
    EXPECT_EQ(build.Count("gluNurbsCurve"), 0) << why;
    EXPECT_EQ(build.Count("glBegin"), 0) << why;
  };
  expectNoLine("neither order nor knots");
  lines.SetNURBSOrder(3);
  expectNoLine("no knot");
  // GLU takes knots minus order control points: with fewer knots it would leave a node out.
  for (float knot : {0.0f, 0.0f, 0.0f, 1.0f, 1.0f}) lines.NURBSKnots().Add(knot);
  expectNoLine("five knots for three nodes of order 3");
  lines.NURBSKnots().Add(1.0f);
  lines.SetNURBSOrder(0);
  expectNoLine("no order");
  lines.SetNURBSOrder(3);
  const RecordedBuild curve(lines);
  EXPECT_EQ(curve.Count("gluNurbsCurve"), 1);
  EXPECT_EQ(curve.Count("gluDeleteNurbsRenderer"), 1);
  EXPECT_EQ(curve.Count("glBegin"), 0);
  lines.SetDivision(1);
  const RecordedBuild undivided(lines);
  EXPECT_EQ(undivided.Count("gluNurbsCurve"), 0);
  EXPECT_EQ(undivided.VertexCount(), 3) << "below two divisions the nodes' polyline";
}

TEST_F(PointsAndLines, NodeColourChangesFollowOnlyNodesThatKeptTheDefault) {
  TGLLines lines(nullptr);
  lines.AddNode(0, 0, 0);
  lines.AddNode(1, 0, 0);
  TGLColor green(nullptr, {0, 1, 0, 1}), red(nullptr, {1, 0, 0, 1});
  lines.Nodes().GetItems(1)->SetColor(green);
  EXPECT_TRUE(lines.Nodes().GetItems(1)->StoreColor());
  EXPECT_FALSE(lines.Nodes().GetItems(0)->StoreColor());
  lines.ClearStructureChanged();
  lines.SetNodeColor(red);
  EXPECT_TRUE(lines.Changes() & chStructure);
  EXPECT_EQ(lines.Nodes().GetItems(0)->Color().Color().x, 1);
  EXPECT_EQ(lines.Nodes().GetItems(1)->Color().Color().y, 1);
  lines.SetNodeSize(-2);
  EXPECT_EQ(lines.NodeSize(), 1);
  // A copy keeps the nodes' positions along with their colours.
  TGLLines copy(nullptr);
  copy.Assign(&lines);
  ASSERT_EQ(copy.Nodes().Count(), 2);
  EXPECT_EQ(copy.Nodes().GetItems(1)->X(), 1);
  EXPECT_EQ(copy.Nodes().GetItems(1)->Color().Color().y, 1);
}

TEST_F(PointsAndLines, StipplingOnlyForAPattern) {
  TGLLines lines(nullptr);
  lines.AddNode(0, 0, 0);
  lines.AddNode(1, 0, 0);
  EXPECT_EQ(RecordedBuild(lines).Count("glLineStipple"), 2);  // the two node axes only
  lines.SetNodesAspect(lnaInvisible);
  EXPECT_EQ(RecordedBuild(lines).Count("glLineStipple"), 0);
  lines.SetLinePattern(0x00FF);
  EXPECT_EQ(RecordedBuild(lines).Count("glLineStipple"), 1);
}

TEST_F(PointsAndLines, DodecahedronFacesPointOutwards) {
  RecordingGL gl;
  DodecahedronBuildList();
  TAffineVector normal{0, 0, 0};
  int faces = 0;
  TAffineVector centre{0, 0, 0};
  for (const RecordedCall& call : gl.calls) {
    if (call.name == "glNormal3f") normal = {float(call.args[0]), float(call.args[1]), float(call.args[2])};
    if (call.name == "glBegin") centre = {0, 0, 0};
    if (call.name == "glVertex3f")
      centre = AffineVectorAdd(centre, {float(call.args[0]), float(call.args[1]), float(call.args[2])});
    if (call.name == "glEnd") {
      EXPECT_GT(AffineVectorDotProduct(normal, centre), 0) << "face " << faces;
      ++faces;
    }
  }
  EXPECT_EQ(faces, 12);
}

class LinePixels : public GLPixelTest {
 protected:
  void SetUp() override {
    GLPixelTest::SetUp();
    InitializeScene3D();
  }
};

TEST_F(LinePixels, APatternOfHalfOnLightsHalfTheLine) {
  if (!context_) return;
  TGLLines lines(nullptr);
  lines.SetNodesAspect(lnaInvisible);
  lines.SetLinePattern(0x00FF);
  lines.AddNode(-1, 0.01f, 0);
  lines.AddNode(1, 0.01f, 0);
  auto& gl = GL();
  gl.glClearColor(0, 0, 0, 1);
  gl.glClear(GL_COLOR_BUFFER_BIT);
  TGLStateCache cache;
  TRenderContextInfo rci;
  rci.GLStates = &cache;
  lines.BuildList(rci);
  std::vector<unsigned char> row(kWidth * kHeight * 4);
  gl.glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
  int lit = 0;
  for (int i = 0; i < kWidth * kHeight; ++i) lit += row[4 * i] > 128;
  EXPECT_NEAR(lit, kWidth / 2, 2);
}

// The program's frame with a white curve that GLU refuses, blue cube markers at
// its nodes, and a red box drawn after it.
using LineFrames = OffscreenSceneTest;

TEST_F(LineFrames, ACurveGLURefusesIsLeftOutAndTheRestOfEveryFrameIsDrawn) {
  auto* lines = program.scene.Objects().NewChildOfClass<TGLLines>();
  lines->SetNodesAspect(lnaCube);
  lines->SetNodeSize(6);
  lines->SetSplineMode(lsmNURBSCurve);
  program.AddBox(0, -20, 0, {1, 0, 0, 1})->Size = 10;
  struct Refused {
    const char* why;
    int order;
    std::vector<float> xs, knots;
  };
  // GLU takes a NaN, and some infinite knots, and reads outside the nodes with them.
  const float nan = std::numeric_limits<float>::quiet_NaN(), infinity = std::numeric_limits<float>::infinity();
  for (const Refused& refused :
       {Refused{"order above the node count", 3, {-20, 20}, {0, 0, 0, 1, 1}},
        Refused{"decreasing knots", 3, {-20, 0, 20}, {1, 1, 1, 0, 0, 0}},
        Refused{"the largest order", std::numeric_limits<int>::max(), {-20, 0, 20}, {0, 0, 0, 1, 1, 1}},
        Refused{"a knot that is not a number", 3, {-20, 0, 20}, {0, 0, nan, 1, 1, 1}},
        Refused{"an infinite knot", 3, {-20, 0, 20}, {0, 0, 0, 1, 1, infinity}}}) {
    lines->SetNURBSOrder(refused.order);
    lines->Nodes().Clear();
    for (float x : refused.xs) lines->AddNode(x, 10, 0);
    lines->NURBSKnots().Clear();
    for (float knot : refused.knots) lines->NURBSKnots().Add(knot);
    for (int frame = 0; frame < 2; ++frame) {
      QImage picture;
      EXPECT_NO_THROW(picture = Capture()) << refused.why;
      // The markers' edges are smoothed: any shade of pure blue counts.
      int curve = 0, blue = 0, red = 0;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
          const QRgb pixel = picture.pixel(x, y);
          curve += qGreen(pixel) > 0, blue += qBlue(pixel) > 0 && qRed(pixel) == 0, red += qRed(pixel) > 0;
        }
      EXPECT_EQ(curve, 0) << refused.why;
      EXPECT_GT(blue, 50 * static_cast<int>(refused.xs.size())) << refused.why << ": the node markers";
      EXPECT_GT(red, 1000) << refused.why << ": the box after the lines";
    }
  }
}

}  // namespace
