// Reading the archive of a list that holds one kind of object. The items are
// read into fresh objects first; the live list is touched only when every item
// has read and is of the list's kind, so a bad archive leaves it as it was.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/lists/persistent_object_list.h"

// The items of a list archive, each of class Item. Another class or an empty
// entry (which a generic list may hold, but these lists never do) raises a read error.
template <typename Item>
std::vector<std::unique_ptr<Item>> ReadItemsOfKind(TVirtualReader& reader, const std::string& listName) {
  TPersistentObjectList scratch;
  scratch.ReadFromFilerWithCallback(reader, [&listName](TPersistentObject& item) {
    if (!dynamic_cast<Item*>(&item)) throw EReadError(listName + " holds another kind of object");
  });
  std::vector<std::unique_ptr<Item>> items;
  for (int i = 0; i < scratch.Count(); ++i) items.emplace_back(static_cast<Item*>(scratch.Get(i)));
  scratch.Clear();
  for (const auto& item : items)
    if (!item) throw EReadError(listName + " holds an empty entry");
  return items;
}

// Reads a list whose items know it as their owner. complete runs on each new
// item, its owner already set, before the old items go; it may refuse the
// archive by raising, which leaves the list as it was.
template <typename Item, typename List>
void ReadOwnedItems(List& list, TVirtualReader& reader, const std::function<void(Item&)>& complete = {}) {
  std::vector<std::unique_ptr<Item>> read = ReadItemsOfKind<Item>(reader, list.ClassName());
  for (const auto& item : read) item->SetOwner(&list);
  try {
    if (complete)
      for (const auto& item : read) complete(*item);
  } catch (...) {
    for (const auto& item : read) item->SetOwner(nullptr);
    throw;
  }
  list.Clear();
  list.SetCapacity(static_cast<int>(read.size()));
  for (auto& item : read) list.Add(item.release());
}
