#include "gfx3d/lists/scalar_lists.h"

namespace {

void SwapEntries(int i, int j, TIntegerList& integers, TPersistentObjectList& objects) {
  integers.Exchange(i, j);
  TObject* object = objects.Get(i);
  objects.Put(i, objects.Get(j));
  objects.Put(j, object);
}

}  // namespace

std::unique_ptr<TPersistentObject> TTexPointList::CreateOfSameClass() const {
  return std::make_unique<TTexPointList>();
}

std::unique_ptr<TPersistentObject> TIntegerList::CreateOfSameClass() const { return std::make_unique<TIntegerList>(); }

int TIntegerList::Add2(std::int32_t a, std::int32_t b) {
  const int first = AppendSlots(2);
  List()[first] = a;
  List()[first + 1] = b;
  return first;
}

int TIntegerList::Add3(std::int32_t a, std::int32_t b, std::int32_t c) {
  const int first = AppendSlots(3);
  List()[first] = a;
  List()[first + 1] = b;
  List()[first + 2] = c;
  return first;
}

std::unique_ptr<TPersistentObject> TSingleList::CreateOfSameClass() const { return std::make_unique<TSingleList>(); }
std::unique_ptr<TPersistentObject> TByteList::CreateOfSameClass() const { return std::make_unique<TByteList>(); }

// Quicksort with Hoare partitioning around the middle item: recursion on the
// left part, iteration on the right, so the stack stays shallow on the right.
void SortIntegerListWithObjects(int lo, int hi, TIntegerList& integers, TPersistentObjectList& objects) {
  while (lo < hi) {
    if (hi - lo == 1) {
      if (integers.GetItem(lo) > integers.GetItem(hi)) SwapEntries(lo, hi, integers, objects);
      return;
    }
    const std::int32_t pivot = integers.GetItem(lo + (hi - lo) / 2);
    int i = lo, j = hi;
    while (i <= j) {
      while (integers.GetItem(i) < pivot) ++i;
      while (integers.GetItem(j) > pivot) --j;
      if (i <= j) {
        if (i != j) SwapEntries(i, j, integers, objects);
        ++i;
        --j;
      }
    }
    if (lo < j) SortIntegerListWithObjects(lo, j, integers, objects);
    lo = i;
  }
}
