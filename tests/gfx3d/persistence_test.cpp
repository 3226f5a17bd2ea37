#include "gfx3d/persistence/persistence.h"

#include <string>

#include "archive_bytes.h"
#include "gfx3d/core/library_errors.h"
#include "gfx3d/lists/persistent_object_list.h"
#include "gfx3d/lists/scalar_lists.h"
#include "gfx3d/lists/vector_lists.h"
#include "gfx3d_fixture.h"
#include "support/temp_dir.h"

namespace {

using Persistence = Gfx3DTest;

// A persistent object with a signature and one archived integer, as file formats have.
class TSignedRecord : public TPersistentObject {
 public:
  std::string ClassName() const override { return "TSignedRecord"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override { return std::make_unique<TSignedRecord>(); }
  std::string StreamSignature() const override { return signature; }
  void WriteToFiler(TVirtualWriter& writer) const override {
    TPersistentObject::WriteToFiler(writer);
    writer.WriteInteger(0);
    writer.WriteInteger(value);
  }
  void ReadFromFiler(TVirtualReader& reader) override {
    TPersistentObject::ReadFromFiler(reader);
    if (const int version = reader.ReadInteger(); version != 0) RaiseVersionError(version);
    value = reader.ReadInteger();
  }
  int value = 0;
  std::string signature = "SIG1";
};

class Owner {
 public:
  explicit Owner(TPersistentObjectList& list) : list_(list) {}
  ~Owner() { list_.FreeItemsAndClear(); }

 private:
  TPersistentObjectList& list_;
};

TEST_F(Persistence, SignatureIsWrittenRawAndChecked) {
  TSignedRecord record;
  record.value = 300;
  EXPECT_EQ(record.SaveToString(), "SIG1" + Bytes({2, 0, 3, 0x2C, 1}));
  TSignedRecord loaded;
  loaded.LoadFromString("SIG1" + Bytes({2, 0, 2, 7}));
  EXPECT_EQ(loaded.value, 7);
  EXPECT_THROW(loaded.LoadFromString("SIG2" + Bytes({2, 0, 2, 7})), EInvalidFileSignature);
  EXPECT_THROW(loaded.LoadFromString("SI"), EInvalidFileSignature);
  loaded.signature = std::string(2, '\0');  // a cut stream must not pass for a signature of zero bytes
  EXPECT_THROW(loaded.LoadFromString(""), EInvalidFileSignature);
}

TEST_F(Persistence, UnknownVersionNamesTheClass) {
  TSignedRecord record;
  try {
    record.LoadFromString("SIG1" + Bytes({2, 3, 2, 7}));
    FAIL() << "no error";
  } catch (const EFilerException& error) {
    EXPECT_STREQ(error.what(), "TSignedRecord : unknown archive version 3");
  }
}

TEST_F(Persistence, AssignAndCloneCopyThroughTheArchive) {
  TSignedRecord record;
  record.value = 42;
  auto clone = record.Clone();
  EXPECT_EQ(dynamic_cast<TSignedRecord&>(*clone).value, 42);
  TAffineVectorList other;
  EXPECT_THROW(record.Assign(&other), EConvertError);
  EXPECT_THROW(record.Assign(nullptr), EConvertError);
}

TEST_F(Persistence, FilesRoundTripAndAFailedSaveKeepsTheOldFile) {
  TempDir dir;
  TSignedRecord record;
  record.value = -5;
  record.SaveToFile(dir.file("record.bin"));
  TSignedRecord loaded;
  loaded.LoadFromFile(dir.file("record.bin"));
  EXPECT_EQ(loaded.value, -5);
  EXPECT_THROW(loaded.LoadFromFile(dir.file("missing.bin")), ELibraryError);
  EXPECT_THROW(record.SaveToFile(dir.file("no/such/folder/record.bin")), EFOpenError);
  EXPECT_EQ(dir.read("record.bin"), "SIG1" + Bytes({2, 0, 2, -5 & 0xFF}));
}

TEST_F(Persistence, ObjectListArchiveMatchesTheGoldenBytes) {
  TPersistentObjectList list;
  Owner owner(list);
  list.Add(new TAffineVectorList);
  list.Add(nullptr);
  EXPECT_EQ(list.SaveToString(),
            Bytes({2, 0, 1, 6, 17}) + "TAffineVectorList" + Bytes({2, 0, 2, 0, 2, 12, 2, 0, 8, 2, 0, 0}));
}

TEST_F(Persistence, ObjectListNamesEachClassOnce) {
  TPersistentObjectList list;
  Owner owner(list);
  auto* first = new TSingleList;
  first->Add(1.5f);
  list.Add(first);
  list.Add(new TSingleList);
  list.Add(new TAffineVectorList);
  const std::string archive = list.SaveToString();
  EXPECT_EQ(archive.find("TSingleList"), archive.rfind("TSingleList"));
  // The second list refers to the first class by index 0, then holds version 0, count 0, item size 4.
  EXPECT_NE(archive.find(Bytes({2, 0, 2, 0, 2, 0, 2, 4})), std::string::npos);

  TPersistentObjectList loaded;
  Owner loadedOwner(loaded);
  loaded.LoadFromString(archive);
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_EQ(dynamic_cast<TSingleList&>(*loaded.Get(0)).GetItem(0), 1.5f);
  EXPECT_EQ(dynamic_cast<TSingleList&>(*loaded.Get(1)).Count(), 0);
  EXPECT_NE(dynamic_cast<TAffineVectorList*>(loaded.Get(2)), nullptr);
}

TEST_F(Persistence, ObjectListVersionErrorNamesTheList) {
  TPersistentObjectList list;
  try {
    list.LoadFromString(Bytes({2, 1, 1, 0}));
    FAIL() << "no error";
  } catch (const EFilerException& error) {
    EXPECT_STREQ(error.what(), "TPersistentObjectList : unknown archive version 1");
  }
}

TEST_F(Persistence, ForeignObjectsComeBackAsNil) {
  TPersistentObjectList list;
  Owner owner(list);
  TObject foreign;
  list.Add(&foreign);
  const std::string archive = list.SaveToString();
  list.Clear();
  TPersistentObjectList loaded;
  loaded.LoadFromString(archive);
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(loaded.Get(0), nullptr);
}

TEST_F(Persistence, HostileObjectListArchivesRaiseAndKeepTheList) {
  const std::string header = Bytes({2, 0, 1});
  const std::string vectorList = Bytes({6, 17}) + "TAffineVectorList";
  const std::string emptyBody = Bytes({2, 0, 2, 0, 2, 12, 2, 0});
  for (const std::string& archive : {
           header + Bytes({5}),                              // a tag no entry starts with
           header + Bytes({2, 0}),                           // class index before any class
           header + vectorList + emptyBody + Bytes({2, 1}),  // index past the table
           header + vectorList + emptyBody + Bytes({2, -1 & 0xFF}),
           header + Bytes({6, 7}) + "TNobody",                  // an unregistered class
           header + vectorList + Bytes({2, 0, 2, 100, 2, 12}),  // more items than bytes
           header + vectorList + emptyBody,                     // no list end
           header + vectorList + Bytes({2, 0, 2, 1, 2, 12}) + std::string(12, '\0') + Bytes({2, 0}),  // no end
           Bytes({2, 0}),                                                                             // no list start
       }) {
    TPersistentObjectList list;
    Owner owner(list);
    auto* kept = new TSingleList;
    list.Add(kept);
    EXPECT_THROW(list.LoadFromString(archive), ELibraryError) << testing::PrintToString(archive);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0), kept);
  }
}

TEST_F(Persistence, ObjectListEditing) {
  TPersistentObjectList list;
  TObject a, b, c;
  for (int i = 0; i < 17; ++i) list.Add(&a);
  EXPECT_EQ(list.Capacity(), 32);
  list.Insert(0, &b);
  EXPECT_EQ(list.Get(0), &b);
  EXPECT_EQ(list.IndexOf(&a), 1);
  EXPECT_EQ(list.Remove(&b), 0);
  EXPECT_EQ(list.Remove(&c), -1);
  list.Put(16, &c);
  EXPECT_EQ(list.RemoveLast(), &c);
  EXPECT_EQ(list.Count(), 16);
  list.SetCapacity(4);
  EXPECT_EQ(list.Count(), 4);
  list.SetCount(6);
  EXPECT_EQ(list.Get(5), nullptr);
  list.Clear();
  EXPECT_EQ(list.RemoveLast(), nullptr);
  EXPECT_THROW(list.RaiseIndexError(), EListError);
}

// An item that takes itself out of its list when freed.
class SelfRemoving : public TObject {
 public:
  explicit SelfRemoving(TPersistentObjectList& list) : list_(list) {}
  ~SelfRemoving() override { list_.Remove(this); }

 private:
  TPersistentObjectList& list_;
};

TEST_F(Persistence, FreeItemsCopesWithItemsThatRemoveThemselves) {
  TPersistentObjectList list;
  for (int i = 0; i < 3; ++i) list.Add(new SelfRemoving(list));
  list.FreeItems();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
