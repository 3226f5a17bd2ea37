// Typed access to the block of a list whose items are records of one type.
// Item accessors do not check their index.
#pragma once

#include "gfx3d/lists/base_lists.h"

template <typename Item, typename Base>
class TTypedList : public Base {
 public:
  // The block as an array of items.
  Item* List() { return reinterpret_cast<Item*>(this->Block()); }
  const Item* List() const { return reinterpret_cast<const Item*>(this->Block()); }

  Item GetItem(int i) const { return List()[i]; }
  void SetItem(int i, const Item& item) { List()[i] = item; }
  // Appends one item (growing by GrowthDelta when full); returns its index.
  int Add(const Item& item) {
    const int index = this->AppendSlots(1);
    List()[index] = item;
    return index;
  }

 protected:
  TTypedList() : Base(static_cast<int>(sizeof(Item))) {}
};
