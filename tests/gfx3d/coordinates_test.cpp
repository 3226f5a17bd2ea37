#include "gfx3d/geometry/coordinates.h"

#include <cstring>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/persistence/streams.h"
#include "gfx3d_fixture.h"

namespace {

using Coordinates = Gfx3DTest;

// A scene-object stand-in that counts the coordinate changes reported to it.
class CountingObject : public TGLCoordinatesUpdateAbleComponent {
 public:
  using TGLCoordinatesUpdateAbleComponent::TGLCoordinatesUpdateAbleComponent;
  void CoordinateChanged(TObject* sender) override {
    ++changes;
    lastSender = sender;
  }
  void NotifyChange(TObject* sender) override {
    ++notifications;
    TGLCoordinatesUpdateAbleComponent::NotifyChange(sender);
  }
  int changes = 0;
  int notifications = 0;
  TObject* lastSender = nullptr;
};

class CountingOwner : public TGLUpdateAbleObject {
 public:
  CountingOwner() : TGLUpdateAbleObject(nullptr) {}
  void NotifyChange(TObject* sender) override {
    ++notifications;
    TGLUpdateAbleObject::NotifyChange(sender);
  }
  int notifications = 0;
};

// Records the binary properties an object defines.
class RecordingDefiner : public TPropertyDefiner {
 public:
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                            const std::function<void(TStream&)>& write, bool hasData) override {
    names.push_back(name);
    reader = read;
    writer = write;
    stored = hasData;
  }
  std::vector<std::string> names;
  std::function<void(TStream&)> reader, writer;
  bool stored = false;
};

TEST_F(Coordinates, ChangesGoStraightToASceneObjectOwnerEvenWhenUnchanged) {
  CountingObject owner(nullptr);
  TGLCoordinates coordinates(&owner);
  coordinates.SetX(0);
  coordinates.SetX(0);
  EXPECT_EQ(owner.changes, 2);
  EXPECT_EQ(owner.lastSender, &coordinates);
  coordinates.BeginUpdate();  // the coordinates' own bracket does not hold back a scene object's report
  coordinates.Translate({1, 0, 0});
  EXPECT_EQ(owner.changes, 3);
  EXPECT_EQ(owner.notifications, 0);
}

TEST_F(Coordinates, OtherOwnersHearThroughNotifyChangeAndTheEvent) {
  CountingOwner owner;
  TGLCoordinates coordinates(&owner);
  int events = 0;
  coordinates.OnNotifyChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &coordinates);
    ++events;
  };
  coordinates.SetPoint(1, 2, 3);
  EXPECT_EQ(owner.notifications, 1);
  EXPECT_EQ(events, 1);
  coordinates.BeginUpdate();
  coordinates.SetY(5);
  coordinates.SetZ(6);
  EXPECT_EQ(events, 1);
  coordinates.EndUpdate();
  EXPECT_EQ(events, 2);
  EXPECT_EQ(owner.notifications, 2);

  TGLCoordinates orphan(nullptr);
  orphan.OnNotifyChange = [&](TObject*) { ++events; };
  orphan.SetX(1);
  EXPECT_EQ(events, 2);  // without an owner nothing happens, the event included
}

TEST_F(Coordinates, StylesDecideW) {
  for (auto [style, w] : {std::pair{csPoint, 1.0f}, {csVector, 0.0f}, {csUnknown, 7.0f}}) {
    auto coordinates = TGLCoordinates::CreateInitialized(nullptr, {0, 0, 0, 0}, style);
    coordinates->SetAsVector({1, 2, 3, 7});
    EXPECT_EQ(coordinates->AsVector().w, w) << style;
  }
  auto point = TGLCoordinates::CreateInitialized(nullptr, {0, 0, 0, 1}, csPoint);
  EXPECT_THROW(point->SetVector(1, 2, 3), EAssertionFailed);
  EXPECT_THROW(point->SetVectorXYZW(1, 2, 3, 0), EAssertionFailed);
  point->SetCoordinate(3, 5);  // a direct write does not apply the style
  EXPECT_EQ(point->AsVector().w, 5);
  auto vector = TGLCoordinates::CreateInitialized(nullptr, {0, 0, 1, 0}, csVector);
  EXPECT_THROW(vector->SetPoint(1, 2, 3), EAssertionFailed);
  EXPECT_THROW(vector->SetCoordinate(4, 1), EAssertionFailed);
}

TEST_F(Coordinates, GeometryOperations) {
  TGLCoordinates coordinates(nullptr);
  coordinates.SetVectorXYZW(3, 0, 4, 1);
  EXPECT_EQ(coordinates.VectorLength(), 5);
  coordinates.Normalize();
  EXPECT_TRUE(coordinates.Equals({0.6f, 0, 0.8f, 0}));
  coordinates.SetDirectVector({1, 0, 0, 0});
  coordinates.Rotate(ZVector, cPIdiv2);
  EXPECT_NEAR(coordinates.Y(), -1, 1e-6);  // the axis rotation turns opposite to RotationMatrixZ
  TGLCoordinates4 copy(nullptr);
  copy.Assign(&coordinates);
  EXPECT_TRUE(VectorEquals(copy.AsVector(), coordinates.AsVector()));
  copy.SetW(2);
  EXPECT_EQ(copy.W(), 2);
  EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}

TEST_F(Coordinates, StreamAsTheBinaryPropertyCoordinates) {
  TGLCoordinates coordinates(nullptr);
  coordinates.SetDirectVector({1, -2, 3.5f, 1});
  RecordingDefiner definer;
  coordinates.DefineProperties(definer);
  ASSERT_EQ(definer.names, std::vector<std::string>{"Coordinates"});
  EXPECT_TRUE(definer.stored);
  TStringStream stream;
  definer.writer(stream);
  const float expected[4] = {1, -2, 3.5f, 1};
  ASSERT_EQ(stream.DataString().size(), 16u);
  EXPECT_EQ(std::memcmp(stream.DataString().data(), expected, 16), 0);

  TGLCoordinates loaded(nullptr);
  RecordingDefiner loader;
  loaded.DefineProperties(loader);
  stream.SetPosition(0);
  loader.reader(stream);
  EXPECT_TRUE(loaded.Equals({1, -2, 3.5f, 1}));
  TStringStream cut(std::string(12, '\0'));
  EXPECT_THROW(loader.reader(cut), EReadError);
  EXPECT_TRUE(loaded.Equals({1, -2, 3.5f, 1}));
}

TEST_F(Coordinates, ComponentsPassChangesUpTheirOwners) {
  CountingObject root(nullptr);
  TGLUpdateAbleComponent child(&root);
  child.NotifyChange(&child);
  EXPECT_EQ(root.notifications, 1);
  int events = 0;
  TNotifyCollection collection(&root, [] { return std::make_unique<TCollectionItem>(nullptr); });
  collection.Add();
  EXPECT_EQ(root.notifications, 2);
  collection.OnNotifyChange = [&](TObject*) { ++events; };
  collection.BeginUpdate();
  collection.Add();
  collection.Add();
  EXPECT_EQ(events, 0);
  collection.EndUpdate();
  EXPECT_EQ(events, 1);
  EXPECT_EQ(collection.Count(), 3);
}

}  // namespace
