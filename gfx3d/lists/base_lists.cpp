#include "gfx3d/lists/base_lists.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <typeinfo>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/quaternions.h"
#include "gfx3d/math/vector_operations.h"

namespace {

constexpr const char* kUnit = "Source/Base/VectorLists";
// The widest record a list holds (a matrix); wider items in an archive are refused.
constexpr int kLargestItemSize = 64;

}  // namespace

void TBaseList::SetCount(int count) {
  Assert(count >= 0, kUnit, 713);
  if (count > capacity_) SetCapacity(count);
  if (count > count_ && (Options & bloZeroNewItems)) std::memset(ItemBytes(count_), 0, ByteSize(count - count_));
  count_ = count;
}

void TBaseList::SetCapacity(int capacity) {
  if (capacity == capacity_) return;
  block_.resize(ByteSize(capacity));
  capacity_ = capacity;
}

void TBaseList::Assign(const TPersistent* source) {
  if (!source) {
    Clear();
    return;
  }
  const auto* list = dynamic_cast<const TBaseList*>(source);
  if (!list) {
    TPersistentObject::Assign(source);
    return;
  }
  if (list == this) return;
  const bool sameClass = typeid(*list) == typeid(*this);
  // A copy keeps the source's item size, so the block always holds what it copies.
  if (sameClass && list->itemSize_ != itemSize_) {
    Clear();
    itemSize_ = list->itemSize_;
  }
  SetCapacity(list->count_);
  growthDelta_ = list->growthDelta_;
  count_ = list->count_;
  if (sameClass && count_ > 0) std::memcpy(Block(), list->Block(), ByteSize(count_));
}

int TBaseList::AppendSlots(int n) {
  const int first = count_;
  int capacity = capacity_;
  while (first + n > capacity) capacity += growthDelta_;
  SetCapacity(capacity);
  count_ += n;
  return first;
}

void TBaseList::AppendZeroed(int n) {
  if (n == 0) return;  // an empty list has no block to clear
  EnsureCapacity(count_ + n);
  std::memset(ItemBytes(count_), 0, ByteSize(n));
  count_ += n;
}

void TBaseList::EnsureCapacity(int n) {
  if (capacity_ < n) SetCapacity(n);
}

std::byte* TBaseList::ScratchItem() {
  if (scratch_.size() != ByteSize(1)) scratch_.assign(ByteSize(1), std::byte{0});
  return scratch_.data();
}

void TBaseList::Clear() {
  count_ = 0;
  SetCapacity(0);
  block_.shrink_to_fit();
}

void TBaseList::Exchange(int i, int j) {
  if (i == j) return;
  std::byte* scratch = ScratchItem();
  std::memcpy(scratch, ItemBytes(i), ByteSize(1));
  std::memcpy(ItemBytes(i), ItemBytes(j), ByteSize(1));
  std::memcpy(ItemBytes(j), scratch, ByteSize(1));
}

void TBaseList::Reverse() {
  for (int k = 0; k < count_ - 1 - k; ++k) Exchange(k, count_ - 1 - k);
}

void TBaseList::WriteToFiler(TVirtualWriter& writer) const {
  TPersistentObject::WriteToFiler(writer);
  writer.WriteInteger(0);
  writer.WriteInteger(count_);
  writer.WriteInteger(itemSize_);
  if (count_ > 0) writer.Write(Block(), ByteSize(count_));
}

TBaseList::ArchivedBlock TBaseList::ReadBlock(TVirtualReader& reader) const {
  const int version = reader.ReadInteger();
  if (version != 0) RaiseVersionError(version);
  ArchivedBlock block;
  block.count = reader.ReadInteger();
  block.itemSize = reader.ReadInteger();
  if (block.count < 0 || block.itemSize < nativeItemSize_ || block.itemSize > kLargestItemSize)
    throw EReadError(ClassName() + ": invalid count or item size in archive");
  const auto bytes = static_cast<std::uint64_t>(block.count) * static_cast<std::uint64_t>(block.itemSize);
  if (bytes > reader.Stream().Remaining()) throw EReadError("Stream read error");
  block.bytes.resize(static_cast<std::size_t>(bytes));
  if (bytes > 0) reader.Read(block.bytes.data(), block.bytes.size());
  return block;
}

void TBaseList::TakeBlock(ArchivedBlock&& block) {
  block_ = std::move(block.bytes);
  count_ = capacity_ = block.count;
  itemSize_ = block.itemSize;
}

void TBaseList::ReadFromFiler(TVirtualReader& reader) {
  TPersistentObject::ReadFromFiler(reader);
  TakeBlock(ReadBlock(reader));
}

void TBaseVectorList::ComputeExtents(TAffineVector& min, TAffineVector& max) const {
  constexpr float infinity = std::numeric_limits<float>::infinity();
  min = {infinity, infinity, infinity};
  max = {-infinity, -infinity, -infinity};
  for (int i = 0; i < Count(); ++i) {
    const TAffineVector v = ItemVector(i);
    for (int k = 0; k < 3; ++k) {
      if (v[k] < min[k]) min[k] = v[k];
      if (v[k] > max[k]) max[k] = v[k];
    }
  }
}

TAffineVector TBaseVectorList::SumItems() const {
  TAffineVector sum;
  for (int i = 0; i < Count(); ++i) AddAffineVector(sum, ItemVector(i));
  return sum;
}

void TBaseVectorList::NormalizeItems() {
  ChangeItems([](TAffineVector& v, int) { NormalizeAffineVector(v); });
}

float TBaseVectorList::MaxManhattanDistance(const TBaseVectorList& other) const {
  Assert(Count() == other.Count(), kUnit, 1017);
  float largest = 0;
  for (int i = 0; i < Count(); ++i) largest = std::max(largest, ManhattanDistance(ItemVector(i), other.ItemVector(i)));
  return largest;
}

void TBaseVectorList::TranslateItems(const TAffineVector& delta) {
  ChangeItems([&delta](TAffineVector& v, int) { AddAffineVector(v, delta); });
}

void TBaseVectorList::TranslateByList(const TBaseVectorList& other) {
  Assert(Count() <= other.Count(), kUnit, 1042);
  ChangeItems([&other](TAffineVector& v, int i) { AddAffineVector(v, other.ItemVector(i)); });
}

void TBaseVectorList::SubtractList(const TBaseVectorList& other) {
  Assert(Count() <= other.Count(), kUnit, 1053);
  ChangeItems([&other](TAffineVector& v, int i) { SubtractAffineVector(v, other.ItemVector(i)); });
}

void TBaseVectorList::Lerp(const TBaseVectorList&, const TBaseVectorList&, float) {}

void TBaseVectorList::SlerpAngles(const TBaseVectorList& list1, const TBaseVectorList& list2, float t) {
  Assert(list1.Count() == list2.Count(), kUnit, 1064);
  if (&list1 == &list2 || t == 0) {
    Assign(&list1);
  } else if (t == 1) {
    Assign(&list2);
  } else {
    SetCapacity(list1.Count());
    SetCount(list1.Count());
    ChangeItems([&](TAffineVector& v, int i) { AnglesSlerp(list1.ItemVector(i), list2.ItemVector(i), v, t); });
  }
}

void TBaseVectorList::CombineItems(const TBaseVectorList& other, float f) {
  Assert(Count() == other.Count(), kUnit, 1087);
  TBaseVectorList::CombineList(other, f);
}

void TBaseVectorList::CombineList(const TBaseVectorList& other, float f) {
  Assert(other.Count() >= Count(), kUnit, 1100);
  ChangeItems([&](TAffineVector& v, int i) { CombineAffineVector(v, other.ItemVector(i), f); });
}

void TBaseVectorList::WriteToFiler(TVirtualWriter& writer) const {
  TBaseList::WriteToFiler(writer);
  writer.WriteInteger(0);
}

void TBaseVectorList::ReadFromFiler(TVirtualReader& reader) {
  TPersistentObject::ReadFromFiler(reader);
  ArchivedBlock block = ReadBlock(reader);
  const int version = reader.ReadInteger();
  if (version != 0) RaiseVersionError(version);
  TakeBlock(std::move(block));
}
