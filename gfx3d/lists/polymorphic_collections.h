// A collection whose items are of different classes, each registered by name,
// archived as one value list: the count, then per item either its class name
// (the first time) or the index of that class among those already written.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gfx3d/core/toolkit_objects.h"
#include "gfx3d/persistence/binary_filers.h"

class TXCollection;
class TXCollectionItem;

// What the collection knows of an item class before it makes an item of it.
struct TXCollectionItemClass {
  std::string className;
  std::string displayName;
  // Makes an item owned by (and appended to) the collection.
  std::function<TXCollectionItem*(TXCollection& owner)> create;
  bool uniqueItem = false;
  // The class this one derives from, for the uniqueness rules; null for none.
  const TXCollectionItemClass* parent = nullptr;
  std::function<bool(const TXCollection&)> canAddTo;  // null: any collection
  std::string displayDescription = {};                // empty: the display name
  std::string categoryName = {};

  bool InheritsFrom(const TXCollectionItemClass& other) const;
  const std::string& DisplayDescription() const {
    return displayDescription.empty() ? displayName : displayDescription;
  }
  const std::string& CategoryName() const { return categoryName; }
  // The class every collection accepts by default; no item is ever made of it.
  static const TXCollectionItemClass& Base();
};

class TXCollectionItem : public TPersistent {
 public:
  // Appends itself to owner (when given) and takes the class's display name.
  TXCollectionItem(TXCollection* owner, const TXCollectionItemClass& itemClass);
  ~TXCollectionItem() override;
  TXCollectionItem(const TXCollectionItem&) = delete;
  TXCollectionItem& operator=(const TXCollectionItem&) = delete;
  std::string ClassName() const override { return item_class_.className; }
  void Assign(const TPersistent* source) override;

  const TXCollectionItemClass& ItemClass() const { return item_class_; }
  TXCollection* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  // Position in the owner's list, -1 without an owner.
  int Index() const;
  TPersistent* GetOwner() const override;
  std::string GetNamePath() const override;
  // Version 0, then the name; another version is an assertion failure.
  virtual void WriteToFiler(TVirtualWriter& writer) const;
  virtual void ReadFromFiler(TVirtualReader& reader);
  virtual void Loaded() {}

 private:
  friend class TXCollection;
  TXCollection* owner_;
  const TXCollectionItemClass& item_class_;
  std::string name_;
};

class TXCollection : public TPersistent {
 public:
  explicit TXCollection(TPersistent* owner) : owner_(owner) {}
  ~TXCollection() override;
  TXCollection(const TXCollection&) = delete;
  TXCollection& operator=(const TXCollection&) = delete;
  std::string ClassName() const override { return "TXCollection"; }
  TPersistent* GetOwner() const override { return owner_; }
  // Null clears; another collection's items are copied class by class.
  void Assign(const TPersistent* source) override;

  int Count() const { return static_cast<int>(items_.size()); }
  TXCollectionItem& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
  int IndexOf(const TXCollectionItem* item) const;
  void Clear();
  void Loaded();
  // The class name, or the owner's name path and ".XCollection" when it has one.
  std::string GetNamePath() const override;
  // The class the collection's items derive from.
  virtual const TXCollectionItemClass& ItemsClass() const { return TXCollectionItemClass::Base(); }
  // False when the class refuses, or a unique class would appear twice.
  bool CanAdd(const TXCollectionItemClass& itemClass) const;
  // Makes an item of the class; an item the collection refuses raises.
  TXCollectionItem& AddItem(const TXCollectionItemClass& itemClass);

  void WriteToFiler(TVirtualWriter& writer) const;
  // Replaces the items; an unknown class name raises, keeping the items read so far.
  void ReadFromFiler(TVirtualReader& reader);

 private:
  friend class TXCollectionItem;
  TPersistent* owner_;
  std::vector<TXCollectionItem*> items_;
};

void RegisterXCollectionItemClass(const TXCollectionItemClass& itemClass);
void UnregisterXCollectionItemClass(const TXCollectionItemClass& itemClass);
// Exact, case-sensitive match; null when none.
const TXCollectionItemClass* FindXCollectionItemClass(const std::string& name);
