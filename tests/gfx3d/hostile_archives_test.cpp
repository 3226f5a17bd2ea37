// Every cut and every altered byte of real archives must either load or raise
// a library error: never read out of bounds, never crash, never half-replace.
#include <functional>
#include <string>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/lists/persistent_object_list.h"
#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/lists/vector_lists.h"
#include "gfx3d_fixture.h"

namespace {

using HostileArchives = Gfx3DTest;

std::string MixedListArchive() {
  TPersistentObjectList list;
  auto* affine = new TAffineVectorList;
  affine->Add({1, 2, 3});
  auto* singles = new TSingleList;
  singles->Add(4);
  auto* texPoints = new TTexPointList;
  texPoints->Add({5, 6});
  list.Add(affine);
  list.Add(nullptr);
  list.Add(singles);
  list.Add(new TSingleList);
  list.Add(texPoints);
  std::string archive = list.SaveToString();
  list.FreeItemsAndClear();
  return archive;
}

// Loads every variant into a list that already holds one item; it must load whole or stay as it was.
void ExpectEveryVariantLoadsOrRaises(const std::string& archive, const std::function<void(const std::string&)>& load) {
  for (std::size_t cut = 0; cut < archive.size(); ++cut)
    EXPECT_THROW(load(archive.substr(0, cut)), ELibraryError) << "cut at " << cut;
  for (std::size_t at = 0; at < archive.size(); ++at)
    for (int value : {0x00, 0x01, 0x02, 0x04, 0x06, 0x0C, 0x12, 0x14, 0x7F, 0x80, 0xFF}) {
      std::string altered = archive;
      altered[at] = static_cast<char>(value);
      try {
        load(altered);
      } catch (const ELibraryError&) {
      }
    }
}

TEST_F(HostileArchives, ObjectListArchives) {
  ExpectEveryVariantLoadsOrRaises(MixedListArchive(), [](const std::string& bytes) {
    TPersistentObjectList list;
    auto* kept = new TIntegerList;
    list.Add(kept);
    try {
      list.LoadFromString(bytes);
    } catch (...) {
      EXPECT_EQ(list.Count(), 1);
      EXPECT_EQ(list.Get(0), kept);
      list.FreeItemsAndClear();
      throw;
    }
    list.FreeItemsAndClear();
  });
}

TEST_F(HostileArchives, VectorListArchives) {
  TVectorList source;
  for (int i = 0; i < 5; ++i) source.AddXYZ(static_cast<float>(i), 1, 2);
  ExpectEveryVariantLoadsOrRaises(source.SaveToString(), [](const std::string& bytes) {
    TVectorList list;
    list.AddXYZ(9, 9, 9);
    try {
      list.LoadFromString(bytes);
    } catch (...) {
      EXPECT_EQ(list.Count(), 1);
      EXPECT_EQ(list.GetItem(0).x, 9);
      throw;
    }
    // Whatever loaded can be used and archived again.
    list.Add({1, 2, 3, 4});
    list.TranslateItems({1, 1, 1});
    TVectorList again;
    again.LoadFromString(list.SaveToString());
    EXPECT_EQ(again.Count(), list.Count());
  });
}

}  // namespace
