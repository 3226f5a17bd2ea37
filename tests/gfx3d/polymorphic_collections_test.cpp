// Collections of items of registered classes and their archive.
#include "gfx3d/lists/polymorphic_collections.h"

#include <gtest/gtest.h>

#include "archive_bytes.h"
#include "gfx3d/core/library_errors.h"

namespace {

const TXCollectionItemClass kEffect{
    "TTestEffect", "Effect", [](TXCollection& owner) { return new TXCollectionItem(&owner, kEffect); },
    false,         nullptr,  nullptr};
const TXCollectionItemClass kDescribedEffect{
    "TTestDescribedEffect",
    "Described",
    [](TXCollection& owner) { return new TXCollectionItem(&owner, kDescribedEffect); },
    false,
    nullptr,
    nullptr,
    "Shows how a described item reads",
    "Tests"};
const TXCollectionItemClass kUniqueEffect{
    "TTestUniqueEffect",
    "Unique",
    [](TXCollection& owner) { return new TXCollectionItem(&owner, kUniqueEffect); },
    true,
    &kEffect,
    nullptr};

class XCollectionTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterXCollectionItemClass(kEffect);
    RegisterXCollectionItemClass(kUniqueEffect);
  }
  void TearDown() override {
    UnregisterXCollectionItemClass(kEffect);
    UnregisterXCollectionItemClass(kUniqueEffect);
  }
  static std::string Archive(const TXCollection& collection) {
    TStringStream stream;
    TBinaryWriter writer(stream);
    collection.WriteToFiler(writer);
    return stream.DataString();
  }
  static void Read(TXCollection& collection, const std::string& bytes) {
    TStringStream stream(bytes);
    TBinaryReader reader(stream);
    collection.ReadFromFiler(reader);
  }
};

}  // namespace

TEST_F(XCollectionTest, WritesEachClassNameOnceThenItsIndex) {
  TXCollection collection(nullptr);
  EXPECT_EQ(Archive(collection), Bytes({vaInt8, 0}));
  collection.AddItem(kEffect);
  collection.AddItem(kEffect).SetName("B");
  const std::string expected = Bytes({vaInt8, 2, vaString, 11}) + "TTestEffect" + Bytes({vaInt8, 0, vaString, 6}) +
                               "Effect" + Bytes({vaInt8, 0, vaInt8, 0, vaString, 1}) + "B";
  EXPECT_EQ(Archive(collection), expected);

  TXCollection copy(nullptr);
  Read(copy, expected);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(1).Name(), "B");
  EXPECT_EQ(copy.Items(1).ClassName(), "TTestEffect");
  EXPECT_EQ(copy.Items(1).Index(), 1);
  Read(copy, Bytes({vaInt8, 0}));
  EXPECT_EQ(copy.Count(), 0);
}

TEST_F(XCollectionTest, RefusesUnknownClassesBadIndicesVersionsAndSecondUniqueItems) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  };
  for (const Case& c : {Case{"unknown class", Bytes({vaInt8, 1, vaString, 5}) + "TNone",
                             "Class TNone unknown. Add the relevant unit to your \"uses\"."},
                        Case{"index out of range", Bytes({vaInt8, 1, vaInt8, 3}), "Invalid class index"},
                        Case{"item version", Bytes({vaInt8, 1, vaString, 11}) + "TTestEffect" + Bytes({vaInt8, 1}),
                             "Assertion failed (XCollection)"}}) {
    TXCollection collection(nullptr);
    try {
      Read(collection, c.bytes);
      ADD_FAILURE() << c.what << " was read";
    } catch (const std::exception& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << c.what << ": " << error.what();
    }
  }
  TXCollection collection(nullptr);
  collection.AddItem(kUniqueEffect);
  EXPECT_FALSE(collection.CanAdd(kUniqueEffect));
  try {
    collection.AddItem(kUniqueEffect);
    ADD_FAILURE() << "a second unique item was added";
  } catch (const EAssertionFailed& error) {
    EXPECT_STREQ(error.what(), "Addition of TTestUniqueEffect to TXCollection rejected. (XCollection)");
  }
  EXPECT_EQ(collection.Count(), 1);
}

// An owner with a name path of its own.
class NamedOwner : public TPersistent {
 public:
  std::string GetNamePath() const override { return "Cube1"; }
};

TEST_F(XCollectionTest, ClassFactsAndNamePaths) {
  EXPECT_EQ(kEffect.DisplayDescription(), "Effect");
  EXPECT_EQ(kEffect.CategoryName(), "");
  EXPECT_EQ(kDescribedEffect.DisplayDescription(), "Shows how a described item reads");
  EXPECT_EQ(kDescribedEffect.CategoryName(), "Tests");

  TXCollection loose(nullptr);
  EXPECT_EQ(loose.ItemsClass().className, "TXCollectionItem");
  EXPECT_EQ(loose.GetNamePath(), "TXCollection");
  EXPECT_EQ(loose.AddItem(kEffect).GetNamePath(), "TXCollection[0]");

  NamedOwner owner;
  TXCollection owned(&owner);
  owned.AddItem(kEffect);
  EXPECT_EQ(owned.GetNamePath(), "Cube1.XCollection");
  EXPECT_EQ(owned.AddItem(kDescribedEffect).GetNamePath(), "Cube1.XCollection[1]");
  EXPECT_EQ(owned.Items(1).GetOwner(), &owned);

  TXCollectionItem free(nullptr, kEffect);
  EXPECT_EQ(free.GetNamePath(), "TTestEffect");
}
