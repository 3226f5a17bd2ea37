// The base of the typed lists: fixed-size items in one contiguous block that
// grows by GrowthDelta items, archived as a raw block; and the base of the
// vector lists, whose items start with three singles x, y, z.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx3d/math/vector_types.h"
#include "gfx3d/persistence/persistence.h"

// Bit 1: items added by SetCount are zero-filled (a new list has it).
enum TBaseListOption : std::uint8_t { bloZeroNewItems = 2 };
using TBaseListOptions = std::uint8_t;

class TBaseList : public TPersistentObject {
 public:
  std::string ClassName() const override { return "TBaseList"; }

  int Count() const { return count_; }
  // Asserts count >= 0; grows the capacity to exactly count when needed.
  void SetCount(int count);
  int Capacity() const { return capacity_; }
  // Contents are kept up to the smaller size; Count is left alone.
  void SetCapacity(int capacity);
  int GrowthDelta() const { return growthDelta_; }
  int ItemSize() const { return itemSize_; }
  TBaseListOptions Options = bloZeroNewItems;

  // A list of the same class is copied; another list gives only its count; nil clears.
  void Assign(const TPersistent* source) override;
  void AppendZeroed(int n);
  void EnsureCapacity(int n);
  // A one-item buffer, made on first use.
  std::byte* ScratchItem();
  // Count := 0, capacity kept.
  void Empty() { count_ = 0; }
  // Count and capacity := 0.
  void Clear();
  void Exchange(int i, int j);
  void Reverse();

  // Version 0, Count, ItemSize, then Count * ItemSize raw bytes.
  void WriteToFiler(TVirtualWriter& writer) const override;
  // Replaces the items only when the whole archive reads.
  void ReadFromFiler(TVirtualReader& reader) override;

 protected:
  explicit TBaseList(int itemSize) : itemSize_(itemSize), nativeItemSize_(itemSize) {}

  std::byte* Block() { return block_.data(); }
  const std::byte* Block() const { return block_.data(); }
  std::byte* ItemBytes(int i) { return block_.data() + static_cast<std::size_t>(i) * ByteSize(1); }
  const std::byte* ItemBytes(int i) const { return block_.data() + static_cast<std::size_t>(i) * ByteSize(1); }
  // Makes room for n more items, growing by GrowthDelta steps; returns the first new index.
  int AppendSlots(int n);

  struct ArchivedBlock {
    int count = 0;
    int itemSize = 0;
    std::vector<std::byte> bytes;
  };
  ArchivedBlock ReadBlock(TVirtualReader& reader) const;
  void TakeBlock(ArchivedBlock&& block);

 private:
  std::size_t ByteSize(int items) const {
    return static_cast<std::size_t>(items) * static_cast<std::size_t>(itemSize_);
  }

  std::vector<std::byte> block_;  // Capacity * ItemSize bytes
  std::vector<std::byte> scratch_;
  int count_ = 0;
  int capacity_ = 0;
  int growthDelta_ = 16;
  int itemSize_;
  int nativeItemSize_;  // the size of the class's own item; archives may only widen it
};

class TBaseVectorList : public TBaseList {
 public:
  std::string ClassName() const override { return "TBaseVectorList"; }

  // Where item i starts; read it through ItemVector, never as a vector in place.
  std::byte* ItemAddress(int i) { return ItemBytes(i); }
  const std::byte* ItemAddress(int i) const { return ItemBytes(i); }
  // The x, y and z that item i starts with. Items are copied in and out of the
  // block: an archived item size need not keep the floats aligned.
  TAffineVector ItemVector(int i) const {
    TAffineVector v;
    std::memcpy(&v, ItemBytes(i), sizeof v);
    return v;
  }
  void SetItemVector(int i, const TAffineVector& v) { std::memcpy(ItemBytes(i), &v, sizeof v); }

  // An empty list leaves min at +infinity and max at -infinity.
  void ComputeExtents(TAffineVector& min, TAffineVector& max) const;
  TAffineVector SumItems() const;
  void NormalizeItems();
  float MaxManhattanDistance(const TBaseVectorList& other) const;
  void TranslateItems(const TAffineVector& delta);
  void TranslateByList(const TBaseVectorList& other);
  void SubtractList(const TBaseVectorList& other);
  // Items interpolated between two lists of the same length; nothing in the base.
  virtual void Lerp(const TBaseVectorList& list1, const TBaseVectorList& list2, float t);
  void SlerpAngles(const TBaseVectorList& list1, const TBaseVectorList& list2, float t);
  void CombineItems(const TBaseVectorList& other, float f);
  virtual void CombineList(const TBaseVectorList& other, float f);

  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;

 protected:
  using TBaseList::TBaseList;

 private:
  // change(v, i) on a copy of each item's x, y and z, written back after.
  template <typename Change>
  void ChangeItems(Change change) {
    for (int i = 0; i < Count(); ++i) {
      TAffineVector v = ItemVector(i);
      change(v, i);
      SetItemVector(i, v);
    }
  }
};
