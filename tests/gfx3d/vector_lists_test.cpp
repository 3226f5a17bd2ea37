#include "gfx3d/lists/vector_lists.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "archive_bytes.h"
#include "gfx3d/core/library_errors.h"
#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/math/quaternions.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d_fixture.h"

namespace {

using VectorLists = Gfx3DTest;

template <typename List>
std::string RawBytes(const List& list) {
  return std::string(reinterpret_cast<const char*>(list.List()),
                     static_cast<std::size_t>(list.Count()) * sizeof(*list.List()));
}

// Saves a list, loads it into a fresh one of the same class and compares the raw items.
template <typename List>
void ExpectRoundTrip(const List& list) {
  List loaded;
  loaded.LoadFromString(list.SaveToString());
  EXPECT_EQ(loaded.Count(), list.Count()) << list.ClassName();
  EXPECT_EQ(loaded.ItemSize(), list.ItemSize()) << list.ClassName();
  EXPECT_EQ(RawBytes(loaded), RawBytes(list)) << list.ClassName();
}

TEST_F(VectorLists, AffineListArchiveMatchesTheGoldenBytes) {
  TAffineVectorList list;
  list.Add({1, 2, 3});
  list.Add({-1, 0.5f, 0});
  std::string raw(24, '\0');
  const float values[6] = {1, 2, 3, -1, 0.5f, 0};
  std::memcpy(raw.data(), values, 24);
  EXPECT_EQ(list.SaveToString(), Bytes({2, 0, 2, 2, 2, 12}) + raw + Bytes({2, 0}));
  TIntegerList integers;
  integers.Add(7);
  EXPECT_EQ(integers.SaveToString(), Bytes({2, 0, 2, 1, 2, 4, 7, 0, 0, 0}));
}

TEST_F(VectorLists, EveryListClassRoundTrips) {
  TAffineVectorList affine;
  TVectorList vectors;
  TQuaternionList quaternions;
  TTexPointList texPoints;
  TIntegerList integers;
  TSingleList singles;
  TByteList bytes;
  for (int i = 0; i < 40; ++i) {
    const auto f = static_cast<float>(i) * 1.25f - 7;
    affine.Add({f, -f, f * f});
    vectors.AddXYZ(f, 2 * f, 3 * f);
    quaternions.Add({f, 0, -f, 1});
    texPoints.Add({f, f / 2});
    integers.Add(i * 100000 - 7);
    singles.Add(f);
    bytes.Add(static_cast<std::uint8_t>(i * 7));
  }
  ExpectRoundTrip(affine);
  ExpectRoundTrip(vectors);
  ExpectRoundTrip(quaternions);
  ExpectRoundTrip(texPoints);
  ExpectRoundTrip(integers);
  ExpectRoundTrip(singles);
  ExpectRoundTrip(bytes);
  ExpectRoundTrip(TAffineVectorList());
}

TEST_F(VectorLists, CountAndCapacityGrowth) {
  TSingleList list;
  list.SetCount(5);
  EXPECT_EQ(list.Capacity(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.GetItem(i), 0);
  EXPECT_THROW(list.SetCount(-1), EAssertionFailed);
  TAffineVectorList grown;
  for (int i = 0; i < 17; ++i) grown.Add({});
  EXPECT_EQ(grown.Capacity(), 32);
  TIntegerList three;
  three.Add3(1, 2, 3);
  EXPECT_EQ(three.Capacity(), 16);
  EXPECT_EQ(three.Add2(4, 5), 3);
  TAffineVectorList bulk;
  bulk.Add({1, 1, 1});
  bulk.AddList(&grown);
  EXPECT_EQ(bulk.Capacity(), 18);  // one exact growth
  bulk.AddList(nullptr);
  EXPECT_EQ(bulk.Count(), 18);
  bulk.Empty();
  EXPECT_EQ(bulk.Capacity(), 18);
  bulk.Clear();
  EXPECT_EQ(bulk.Capacity(), 0);
  TByteList zeroed;
  zeroed.AppendZeroed(0);
  EXPECT_EQ(zeroed.Capacity(), 0);
  zeroed.Add(9);
  zeroed.AppendZeroed(3);
  EXPECT_EQ(zeroed.Count(), 4);
  EXPECT_EQ(zeroed.GetItem(3), 0);
}

TEST_F(VectorLists, SetCountWithoutZeroingKeepsOldBytes) {
  TIntegerList list;
  list.Add(5);
  list.Empty();
  list.Options = 0;
  list.SetCount(1);
  EXPECT_EQ(list.GetItem(0), 5);
}

TEST_F(VectorLists, ScaleLeavesTheListAloneForOne) {
  TAffineVectorList list;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  list.Add({nan, 1, 2});
  list.Scale(1.0f);
  EXPECT_TRUE(std::isnan(list.GetItem(0).x));
  list.SetItem(0, {1, 2, 3});
  list.Scale(2.0f);
  EXPECT_TRUE(AffineVectorEquals(list.GetItem(0), {2, 4, 6}));
  list.ScaleByVector({1, 0.5f, -1});
  EXPECT_TRUE(AffineVectorEquals(list.GetItem(0), {2, 2, -6}));
}

TEST_F(VectorLists, ExtentsSumsAndNormalisation) {
  TVectorList empty;
  TAffineVector min, max;
  empty.ComputeExtents(min, max);
  EXPECT_TRUE(std::isinf(min.x) && min.x > 0);
  EXPECT_TRUE(std::isinf(max.z) && max.z < 0);
  TVectorList list;
  list.AddXYZ(1, -2, 3);
  list.AddWithW({-4, 5, 0}, 0);
  list.ComputeExtents(min, max);
  EXPECT_TRUE(AffineVectorEquals(min, {-4, -2, 0}));
  EXPECT_TRUE(AffineVectorEquals(max, {1, 5, 3}));
  EXPECT_TRUE(AffineVectorEquals(list.SumItems(), {-3, 3, 3}));
  list.NormalizeItems();
  EXPECT_NEAR(AffineVectorLength(list.ItemVector(0)), 1, 1e-6);
  EXPECT_EQ(list.GetItem(0).w, 1);  // only x, y, z are touched
}

TEST_F(VectorLists, ListArithmetic) {
  TAffineVectorList a, b;
  a.Add({1, 1, 1});
  a.Add({2, 2, 2});
  b.Add({1, 0, 0});
  b.Add({0, 3, 0});
  EXPECT_EQ(a.MaxManhattanDistance(b), 5);
  a.TranslateByList(b);
  EXPECT_TRUE(AffineVectorEquals(a.GetItem(1), {2, 5, 2}));
  a.SubtractList(b);
  a.TranslateItems({1, 0, 0});
  EXPECT_TRUE(AffineVectorEquals(a.GetItem(0), {2, 1, 1}));
  a.CombineItems(b, 2);
  EXPECT_TRUE(AffineVectorEquals(a.GetItem(1), {3, 8, 2}));
  TAffineVectorList shorter;
  shorter.Add({});
  EXPECT_THROW(a.TranslateByList(shorter), EAssertionFailed);
  EXPECT_THROW(a.MaxManhattanDistance(shorter), EAssertionFailed);
  EXPECT_THROW(a.CombineItems(shorter, 1), EAssertionFailed);
  EXPECT_EQ(a.IndexOf({3, 8, 2}), 1);
  EXPECT_EQ(a.FindOrAdd({3, 8, 2}), 1);
  EXPECT_EQ(a.FindOrAdd({-0.0f, 0, 0}), 2);
}

TEST_F(VectorLists, LerpAndSlerpAngles) {
  TAffineVectorList from, to, mid;
  from.Add({0, 0, 0});
  to.Add({2, 4, 6});
  mid.Lerp(from, to, 0.5f);
  EXPECT_TRUE(AffineVectorEquals(mid.GetItem(0), {1, 2, 3}));
  TVectorList vectors;
  vectors.Lerp(from, to, 0.5f);  // lists of another class are ignored
  EXPECT_EQ(vectors.Count(), 0);
  TAffineVectorList angles;
  from.SetItem(0, {0.1f, 0.2f, 0.3f});
  to.SetItem(0, {0.5f, 0.2f, 0.3f});
  angles.SlerpAngles(from, to, 0);
  EXPECT_TRUE(AffineVectorEquals(angles.GetItem(0), from.GetItem(0)));
  angles.SlerpAngles(from, to, 1);
  EXPECT_TRUE(AffineVectorEquals(angles.GetItem(0), to.GetItem(0)));
  angles.SlerpAngles(from, to, 0.5f);
  EXPECT_NEAR(angles.GetItem(0).x, 0.3f, 1e-4);
}

TEST_F(VectorLists, QuaternionListsInterpolateAndCombine) {
  TQuaternionList from, to, mid;
  from.Add(IdentityQuaternion);
  to.Add(QuaternionFromAngleAxis(ZVector, 90));
  mid.Lerp(from, to, 0.5f);
  const TQuaternion expected = QuaternionFromAngleAxis(ZVector, 45);
  EXPECT_NEAR(mid.GetItem(0).z, expected.z, 1e-6);
  from.CombineList(to, 0.5f);
  EXPECT_NEAR(from.GetItem(0).w, expected.w, 1e-6);
}

TEST_F(VectorLists, ExchangeReverseAndAssign) {
  TAffineVectorList list;
  list.Add({1, 0, 0});
  list.Reverse();
  EXPECT_TRUE(AffineVectorEquals(list.GetItem(0), {1, 0, 0}));
  list.Add({2, 0, 0});
  list.Add({3, 0, 0});
  list.Reverse();
  EXPECT_EQ(list.GetItem(0).x, 3);
  EXPECT_EQ(list.GetItem(2).x, 1);
  TAffineVectorList copy;
  copy.Assign(&list);
  EXPECT_EQ(RawBytes(copy), RawBytes(list));
  EXPECT_EQ(copy.Capacity(), 3);
  copy.Assign(nullptr);
  EXPECT_EQ(copy.Count(), 0);
  TIntegerList integers;
  EXPECT_NO_THROW(integers.Assign(&list));  // another list class gives its count only
  EXPECT_EQ(integers.Count(), 3);
  auto clone = list.Clone();
  EXPECT_EQ(RawBytes(dynamic_cast<TAffineVectorList&>(*clone)), RawBytes(list));
}

TEST_F(VectorLists, AWiderArchivedItemSizeIsKept) {
  TAffineVectorList list;
  list.LoadFromString(Bytes({2, 0, 2, 1, 2, 16}) + std::string(16, '\0') + Bytes({2, 0}));
  EXPECT_EQ(list.ItemSize(), 16);
  EXPECT_EQ(list.Count(), 1);
  list.Add({1, 2, 3});
  EXPECT_EQ(list.Count(), 2);
  TAffineVectorList copy;
  copy.Assign(&list);
  EXPECT_EQ(copy.ItemSize(), 16);
}

TEST_F(VectorLists, ItemsOfAnArchivedSizeThatIsNoMultipleOfFourAreReadInPlace) {
  // Two items of 13 bytes: x, y, z, then one byte of the writer's own.
  std::string items;
  for (const TAffineVector& v : {TAffineVector{1, -2, 3}, TAffineVector{-4, 5, -6}}) {
    items.append(reinterpret_cast<const char*>(&v), sizeof v);
    items += '\x7F';
  }
  TAffineVectorList list;
  list.LoadFromString(Bytes({2, 0, 2, 2, 2, 13}) + items + Bytes({2, 0}));
  ASSERT_EQ(list.ItemSize(), 13);
  TAffineVector min, max;
  list.ComputeExtents(min, max);
  EXPECT_TRUE(AffineVectorEquals(min, {-4, -2, -6}));
  EXPECT_TRUE(AffineVectorEquals(max, {1, 5, 3}));
  EXPECT_TRUE(AffineVectorEquals(list.SumItems(), {-3, 3, -3}));
  list.TranslateItems({1, 1, 1});
  list.ComputeExtents(min, max);
  EXPECT_TRUE(AffineVectorEquals(min, {-3, -1, -5}));
  TAffineVectorList other;
  other.LoadFromString(list.SaveToString());
  EXPECT_EQ(other.MaxManhattanDistance(list), 0);
  list.NormalizeItems();
  const std::string saved = list.SaveToString();
  EXPECT_EQ(saved[6 + 12], '\x7F') << "the bytes past x, y and z stay as read";
  EXPECT_EQ(saved[6 + 25], '\x7F');
}

TEST_F(VectorLists, HostileListArchivesRaiseAndKeepTheList) {
  const std::string vectorTail = Bytes({2, 0});
  for (const std::string& archive : {
           Bytes({}), Bytes({2, 0, 2, 3, 2, 12}) + std::string(35, '\0') + vectorTail,  // one byte short
           Bytes({4, 0, 0, 0, 0x7F, 2, 12}),                                            // bad tag order
           Bytes({2, 0, 4, 0xFF, 0xFF, 0xFF, 0x7F, 2, 12}),                             // huge count
           Bytes({2, 0, 2, -1 & 0xFF, 2, 12}) + vectorTail,                             // negative count
           Bytes({2, 0, 2, 1, 2, 4}) + std::string(4, '\0') + vectorTail,       // items narrower than the class's
           Bytes({2, 0, 2, 0, 4, 0, 0, 0, 0x40}) + vectorTail,                  // absurd item size
           Bytes({2, 0, 2, 1, 2, 12}) + std::string(12, '\0'),                  // no vector-list version
           Bytes({2, 0, 2, 1, 2, 12}) + std::string(12, '\0') + Bytes({2, 1}),  // bad vector-list version
           Bytes({2, 2, 2, 0, 2, 12}) + vectorTail,                             // bad list version
           Bytes({9, 2, 0, 2, 12}) + vectorTail,                                // a boolean for the version
       }) {
    TAffineVectorList list;
    list.Add({1, 2, 3});
    EXPECT_THROW(list.LoadFromString(archive), ELibraryError) << testing::PrintToString(archive);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(AffineVectorEquals(list.GetItem(0), {1, 2, 3}));
  }
}

TEST_F(VectorLists, SortIntegerListWithObjectsMovesBothLists) {
  TIntegerList keys;
  TPersistentObjectList objects;
  TObject items[6];
  const int values[6] = {5, -1, 3, 3, 9, 0};
  for (int i = 0; i < 6; ++i) {
    keys.Add(values[i]);
    objects.Add(&items[i]);
  }
  SortIntegerListWithObjects(0, 5, keys, objects);
  const int order[6] = {1, 5, 2, 3, 0, 4};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(keys.GetItem(i), values[order[i]]);
    if (values[order[i]] != 3) {
      EXPECT_EQ(objects.Get(i), &items[order[i]]);
    }
  }
  TIntegerList pair;
  TPersistentObjectList pairObjects;
  pair.Add2(2, 1);
  pairObjects.Add(&items[0]);
  pairObjects.Add(&items[1]);
  SortIntegerListWithObjects(0, 1, pair, pairObjects);
  EXPECT_EQ(pair.GetItem(0), 1);
  EXPECT_EQ(pairObjects.Get(0), &items[1]);
}

}  // namespace
