#include "gfx3d/core/toolkit_components.h"

#include <algorithm>
#include <string>

#include "gfx3d/core/library_errors.h"

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(nullptr) {
  if (collection) collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_ && collection_->UpdateCount() == 0) collection_->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TItemClass itemClass) : itemClass_(std::move(itemClass)) {}

TCollection::~TCollection() {
  // No change hooks while the collection goes: its derived parts are already gone.
  updateCount_ = 1;
  Clear();
}

TCollectionItem* TCollection::Add() {
  TCollectionItem* item = itemClass_().release();
  InsertItem(item);
  return item;
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<std::size_t>(index)];
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

void TCollection::EndUpdate() {
  --updateCount_;
  Changed();
}

void TCollection::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();  // an item that cannot take its source's values must not leave the bracket open
    throw;
  }
  EndUpdate();
}

void TCollection::Changed() {
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  items_.push_back(item);
  item->collection_ = this;
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
  items_.erase(std::find(items_.begin(), items_.end(), item));
  item->collection_ = nullptr;
  Changed();
}
