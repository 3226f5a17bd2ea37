#include "gfx3d/geometry/nodes.h"

#include <GL/gl.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d_fixture.h"
#include "support/recording_gl.h"

namespace {

using Nodes = Gfx3DTest;

class CountingComponent : public TGLUpdateAbleComponent {
 public:
  CountingComponent() : TGLUpdateAbleComponent(nullptr) {}
  void NotifyChange(TObject*) override { ++notifications; }
  int notifications = 0;
};

// Collects the tessellator's output as triangles, whatever primitive it chose.
class RecordingSink : public TPolygonSink {
 public:
  void Normal(const TAffineVector& n) override { normals.push_back(n); }
  void Begin(unsigned mode) override {
    mode_ = mode;
    primitive_.clear();
  }
  void TexCoord(float s, float t) override { texCoords.push_back({s, t}); }
  void Vertex(const TAffineVector& v) override {
    if (throwAtVertex >= 0 && vertices++ == throwAtVertex) throw std::runtime_error("sink failed");
    primitive_.push_back(v);
  }
  void End() override {
    for (std::size_t i = 2; i < primitive_.size(); ++i) {
      if (mode_ == GL_TRIANGLES && i % 3 == 2) AddTriangle(primitive_[i - 2], primitive_[i - 1], primitive_[i]);
      if (mode_ == GL_TRIANGLE_FAN) AddTriangle(primitive_[0], primitive_[i - 1], primitive_[i]);
      if (mode_ == GL_TRIANGLE_STRIP) AddTriangle(primitive_[i - 2], primitive_[i - 1], primitive_[i]);
    }
    ++primitives;
  }

  double area = 0;  // summed in the xy plane
  int triangles = 0;
  int primitives = 0;
  int vertices = 0;
  int throwAtVertex = -1;
  std::vector<TAffineVector> normals;
  std::vector<TTexPoint> texCoords;

 private:
  void AddTriangle(const TAffineVector& a, const TAffineVector& b, const TAffineVector& c) {
    area += std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
    ++triangles;
  }
  unsigned mode_ = 0;
  std::vector<TAffineVector> primitive_;
};

void AddSquare(TGLNodes& nodes) {
  nodes.AddNode(0, 0, 0);
  nodes.AddNode(2, 0, 0);
  nodes.AddNode(2, 2, 0);
  nodes.AddNode(0, 2, 0);
}

TEST_F(Nodes, TangentsOfCoincidentAndSingleNodesAreZero) {
  TGLNodes nodes(nullptr);
  nodes.AddNode(1, 1, 1);
  EXPECT_TRUE(AffineVectorIsZero(nodes.Vector(0)));
  nodes.AddNode(1, 1, 1);
  EXPECT_TRUE(AffineVectorIsZero(nodes.Vector(1)));
  nodes.AddNode(1, 5, 1);
  EXPECT_TRUE(AffineVectorEquals(nodes.Vector(1), {0, 1, 0}));
  EXPECT_TRUE(AffineVectorEquals(nodes.Vector(2), {0, 1, 0}));
  EXPECT_THROW(nodes.Vector(3), EAssertionFailed);
  EXPECT_THROW(nodes.Vector(-1), EAssertionFailed);
  EXPECT_THROW(nodes.GetItems(3), EListError);
  EXPECT_THROW(nodes.Delete(-1), EListError);
}

TEST_F(Nodes, CentreNormalAndMoves) {
  TGLNodes nodes(nullptr);
  EXPECT_TRUE(AffineVectorIsZero(nodes.Barycenter()));
  AddSquare(nodes);
  EXPECT_TRUE(AffineVectorEquals(nodes.Barycenter(), {1, 1, 0}));
  EXPECT_TRUE(AffineVectorEquals(nodes.Normal(), {0, 0, 1}));
  nodes.Translate({1, 0, -1});
  EXPECT_TRUE(AffineVectorEquals(nodes.GetItems(1)->GetAsAffineVector(), {3, 0, -1}));
  nodes.RotateAroundY(90);
  const TAffineVector turned = nodes.GetItems(1)->GetAsAffineVector();
  EXPECT_NEAR(turned.x, -1, 1e-6);
  EXPECT_NEAR(turned.z, -3, 1e-6);
  TGLNodes two(nullptr);
  two.AddNode(0, 0, 0);
  two.AddNode(1, 0, 0);
  EXPECT_TRUE(AffineVectorIsZero(two.Normal()));
}

TEST_F(Nodes, ChangesReachTheOwnerComponentOutsideUpdateBrackets) {
  CountingComponent owner;
  TGLNodes nodes(&owner);
  nodes.AddNode(1, 2, 3);  // the new item, then its position
  EXPECT_EQ(owner.notifications, 2);
  nodes.GetItems(0)->SetCoordinate(0, 1);
  EXPECT_EQ(owner.notifications, 3);
  nodes.BeginUpdate();
  nodes.AddNode(4, 5, 6);
  nodes.Translate({1, 1, 1});
  EXPECT_EQ(owner.notifications, 3);
  nodes.EndUpdate();
  EXPECT_EQ(owner.notifications, 4);
  delete nodes.GetItems(0);
  EXPECT_EQ(nodes.Count(), 1);
  EXPECT_EQ(owner.notifications, 5);
}

TEST_F(Nodes, NodesStoreOnlyNonZeroCoordinatesAndShowThemWithFourDecimals) {
  TGLNodes nodes(nullptr);
  nodes.AddNode(0, 0, 0);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(nodes.GetItems(0)->StoreCoordinate(i));
  nodes.AddNode(1.5f, -2, 0);
  EXPECT_TRUE(nodes.GetItems(1)->StoreCoordinate(0));
  EXPECT_FALSE(nodes.GetItems(1)->StoreCoordinate(2));
  EXPECT_EQ(nodes.GetItems(1)->GetDisplayName(), "1.5000; -2.0000; 0.0000");
}

TEST_F(Nodes, CreateCopyHoldsTheSameNodesUnderANewOwner) {
  CountingComponent owner;
  TGLNodes nodes(nullptr);
  AddSquare(nodes);
  auto copy = nodes.CreateCopy(&owner);
  EXPECT_EQ(copy->GetOwner(), &owner);
  ASSERT_EQ(copy->Count(), 4);
  EXPECT_TRUE(VectorEquals(*copy->GetItems(2)->AsAddress(), {2, 2, 0, 1}));
  EXPECT_NE(copy->GetItems(2), nodes.GetItems(2));

  TOwnedCollection plain(nullptr, [] { return std::make_unique<TCollectionItem>(nullptr); });
  plain.Add();
  EXPECT_THROW(copy->Assign(&plain), EConvertError);  // a plain item is no node
  EXPECT_EQ(copy->UpdateCount(), 0);
  const int heard = owner.notifications;
  copy->AddNode(1, 1, 1);
  EXPECT_GT(owner.notifications, heard);
}

TEST_F(Nodes, SplineFollowsTheNodes) {
  TGLNodes nodes(nullptr);
  AddSquare(nodes);
  auto spline = nodes.CreateNewCubicSpline();
  const TAffineVector at2 = spline->AffineVectorAt(2);
  EXPECT_NEAR(at2.x, 2, 1e-5);
  EXPECT_NEAR(at2.y, 2, 1e-5);
  EXPECT_EQ(at2.z, 0);
}

TEST_F(Nodes, TessellationFillsTheOutline) {
  TGLNodes nodes(nullptr);
  AddSquare(nodes);
  RecordingSink sink;
  const TAffineVector normal{0, 0, 1};
  nodes.RenderTesselatedPolygon(sink, true, &normal, false, 1);
  EXPECT_NEAR(sink.area, 4, 1e-6);
  EXPECT_EQ(sink.triangles, 2);
  ASSERT_EQ(sink.normals.size(), 1u);
  ASSERT_FALSE(sink.texCoords.empty());
  for (const auto& t : sink.texCoords) EXPECT_TRUE((t.S == 0 || t.S == 2) && (t.T == 0 || t.T == 2));
  RecordingSink inverted;
  nodes.RenderTesselatedPolygon(inverted, false, nullptr, true, 1);
  EXPECT_NEAR(inverted.area, 4, 1e-6);
  EXPECT_TRUE(inverted.texCoords.empty());
}

TEST_F(Nodes, TwoNodesDrawNothing) {
  TGLNodes nodes(nullptr);
  nodes.AddNode(0, 0, 0);
  nodes.AddNode(1, 0, 0);
  RecordingSink sink;
  nodes.RenderTesselatedPolygon(sink, false, nullptr, false, 4);
  EXPECT_EQ(sink.primitives, 0);
  EXPECT_TRUE(sink.normals.empty());
}

TEST_F(Nodes, SplineSmoothedOutlinesUseTheDivisions) {
  TGLNodes nodes(nullptr);
  AddSquare(nodes);
  RecordingSink sink;
  nodes.RenderTesselatedPolygon(sink, false, nullptr, false, 8);
  EXPECT_GT(sink.triangles, 2);
  EXPECT_GT(sink.area, 0);
}

TEST_F(Nodes, CrossingOutlinesGetCombinedVertices) {
  // A bow tie: its two halves meet at a point the tessellator has to make.
  TGLNodes nodes(nullptr);
  nodes.AddNode(0, 0, 0);
  nodes.AddNode(2, 2, 0);
  nodes.AddNode(2, 0, 0);
  nodes.AddNode(0, 2, 0);
  RecordingSink sink;
  nodes.RenderTesselatedPolygon(sink, false, nullptr, false, 1);
  EXPECT_NEAR(sink.area, 2, 1e-6);
  EXPECT_EQ(sink.triangles, 2);
}

TEST_F(Nodes, AFailingSinkRaisesAfterTheTessellatorFinishes) {
  TGLNodes nodes(nullptr);
  AddSquare(nodes);
  RecordingSink sink;
  sink.throwAtVertex = 1;
  EXPECT_THROW(nodes.RenderTesselatedPolygon(sink, false, nullptr, false, 1), std::runtime_error);
  EXPECT_EQ(sink.vertices, 2);  // nothing more was drawn after the failure
  RecordingSink healthy;
  nodes.RenderTesselatedPolygon(healthy, false, nullptr, false, 1);
  EXPECT_NEAR(healthy.area, 4, 1e-6);
}

}  // namespace

TEST_F(Nodes, TexturedTessellationFeedsEveryMappedTextureUnit) {
  TGLNodes nodes(nullptr);
  AddSquare(nodes);
  RecordingGL gl;
  GLFlags().ARB_multitexture = true;
  XGLMapTexCoordToDual();
  nodes.RenderTesselatedPolygon(true, nullptr, false, 1);
  const int vertices = gl.Count("glVertex3f");
  EXPECT_GE(vertices, 4);
  EXPECT_EQ(gl.Count("glTexCoord2f"), vertices) << "unit 0";
  EXPECT_EQ(gl.Count("glMultiTexCoord2fARB"), vertices) << "unit 1";
  for (const RecordedCall& call : gl.calls) {
    if (call.name == "glMultiTexCoord2fARB") {
      EXPECT_EQ(call.args[0], GL_TEXTURE1_ARB);
    }
  }

  gl.Clear();
  XGLMapTexCoordToSecond();
  nodes.RenderTesselatedPolygon(true, nullptr, false, 1);
  EXPECT_EQ(gl.Count("glTexCoord2f"), 0);
  EXPECT_EQ(gl.Count("glMultiTexCoord2fARB"), gl.Count("glVertex3f"));

  gl.Clear();
  XGLMapTexCoordToNull();
  nodes.RenderTesselatedPolygon(true, nullptr, false, 1);
  EXPECT_GT(gl.Count("glVertex3f"), 0);
  EXPECT_EQ(gl.Count("glTexCoord2f") + gl.Count("glMultiTexCoord2fARB"), 0) << "no texture, no coordinates";
}
