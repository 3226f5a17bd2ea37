// The component and collection bases the 3-D library's notification builds
// on: a component knows the component that owns it; a collection owns its
// items and runs its change hook whenever items are added, removed or
// changed outside an update bracket.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "gfx3d/core/toolkit_objects.h"

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner) : owner_(owner) {}
  std::string ClassName() const override { return "TComponent"; }
  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() const override { return owner_; }
  // A component's name path is its name alone.
  std::string GetNamePath() const override { return name_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // True while a component stream reads the component: writers then only store.
  bool IsLoading() const { return loading_; }
  void SetLoading(bool value) { loading_ = value; }
  // Called once every component of a read has its properties and references.
  virtual void Loaded() {}

 private:
  TComponent* owner_;
  std::string name_;
  bool loading_ = false;
};

class TCollection;

// An item belongs to the collection given at construction, which frees it;
// deleting an item removes it from its collection.
class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;
  std::string ClassName() const override { return "TCollectionItem"; }

  TCollection* Collection() const { return collection_; }
  int Index() const;
  virtual std::string GetDisplayName() const { return ClassName(); }

 protected:
  // Runs the collection's change hook for this item (or all items).
  void Changed(bool allItems);

 private:
  friend class TCollection;
  TCollection* collection_;
};

class TCollection : public TPersistent {
 public:
  // Makes a new, free item of the collection's item class.
  using TItemClass = std::function<std::unique_ptr<TCollectionItem>()>;

  explicit TCollection(TItemClass itemClass);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;
  std::string ClassName() const override { return "TCollection"; }

  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError for an index outside the collection.
  TCollectionItem* Items(int index) const;
  const TItemClass& ItemClass() const { return itemClass_; }
  // Appends a new item of the item class, fully made before the change hook sees it.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  void BeginUpdate() { ++updateCount_; }
  // Ends a bracket; the change hook runs when the last one closes.
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  // From another collection: its items' copies replace ours, in one bracket.
  void Assign(const TPersistent* source) override;

 protected:
  // The change hook: item is the one that changed, or null for the whole collection.
  virtual void Update(TCollectionItem*) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  TItemClass itemClass_;
  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
};

class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* owner, TItemClass itemClass) : TCollection(std::move(itemClass)), owner_(owner) {}
  std::string ClassName() const override { return "TOwnedCollection"; }
  TPersistent* GetOwner() const override { return owner_; }

 private:
  TPersistent* owner_;
};
