// A growable list of object pointers that archives a mixed set of persistent
// objects by class name. The list owns nothing: items are freed only through
// the FreeItems family and when a read replaces them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "gfx3d/persistence/persistence.h"

class TPersistentObjectList : public TPersistentObject {
 public:
  TPersistentObjectList() = default;
  ~TPersistentObjectList() override;
  TPersistentObjectList(const TPersistentObjectList&) = delete;
  TPersistentObjectList& operator=(const TPersistentObjectList&) = delete;
  std::string ClassName() const override { return "TPersistentObjectList"; }
  std::unique_ptr<TPersistentObject> CreateOfSameClass() const override;

  int Count() const { return count_; }
  int Capacity() const { return static_cast<int>(items_.size()); }
  int GrowthDelta() const { return growthDelta_; }

  int Add(TObject* item);
  void Insert(int index, TObject* item);
  // Removes the entry without freeing the item.
  void Delete(int index);
  // Entries are not range-checked; callers that check raise RaiseIndexError.
  TObject* Get(int index) const { return items_[static_cast<std::size_t>(index)]; }
  void Put(int index, TObject* item) { items_[static_cast<std::size_t>(index)] = item; }
  int IndexOf(const TObject* item) const;
  int Remove(const TObject* item);
  TObject* RemoveLast();
  void SetCapacity(int capacity);
  void SetCount(int count);
  // Empties the list without freeing the items.
  void Clear();
  // Frees the items, last first; an item may remove itself from the list while it goes.
  void FreeItems();
  void FreeItemsAndClear();
  [[noreturn]] void RaiseIndexError() const;

  // Classes are named once, then referred to by their index in order of first use;
  // nil entries archive as (false, 0).
  void WriteToFiler(TVirtualWriter& writer) const override;
  // Replaces the items only when the whole archive reads; on failure the list is as it was.
  void ReadFromFiler(TVirtualReader& reader) override;
  void ReadFromFilerWithCallback(TVirtualReader& reader, const std::function<void(TPersistentObject&)>& itemCreated);

 protected:
  // Called with each item created while reading, before it reads itself.
  virtual void ReadItemCreated(TPersistentObject&) {}

 private:
  void Grow();

  std::vector<TObject*> items_;  // sized to the capacity
  int count_ = 0;
  int growthDelta_ = 16;
};
