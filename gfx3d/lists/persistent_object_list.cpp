#include "gfx3d/lists/persistent_object_list.h"

#include <algorithm>

#include "gfx3d/core/library_errors.h"

namespace {

// The items read so far; freed unless handed over to the list.
class ReadItems {
 public:
  ~ReadItems() {
    for (TObject* item : items) delete item;
  }
  std::vector<TObject*> items;
};

[[noreturn]] void RaiseBrokenArchive() { throw EReadError("Broken ObjectList archive"); }

}  // namespace

TPersistentObjectList::~TPersistentObjectList() { Clear(); }

std::unique_ptr<TPersistentObject> TPersistentObjectList::CreateOfSameClass() const {
  return std::make_unique<TPersistentObjectList>();
}

void TPersistentObjectList::Grow() { SetCapacity(Capacity() + growthDelta_); }

int TPersistentObjectList::Add(TObject* item) {
  if (count_ == Capacity()) Grow();
  items_[static_cast<std::size_t>(count_)] = item;
  return count_++;
}

void TPersistentObjectList::Insert(int index, TObject* item) {
  if (count_ == Capacity()) Grow();
  std::copy_backward(items_.begin() + index, items_.begin() + count_, items_.begin() + count_ + 1);
  items_[static_cast<std::size_t>(index)] = item;
  ++count_;
}

void TPersistentObjectList::Delete(int index) {
  std::copy(items_.begin() + index + 1, items_.begin() + count_, items_.begin() + index);
  --count_;
}

int TPersistentObjectList::IndexOf(const TObject* item) const {
  for (int i = 0; i < count_; ++i)
    if (Get(i) == item) return i;
  return -1;
}

int TPersistentObjectList::Remove(const TObject* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

TObject* TPersistentObjectList::RemoveLast() {
  if (count_ == 0) return nullptr;
  return items_[static_cast<std::size_t>(--count_)];
}

void TPersistentObjectList::SetCapacity(int capacity) {
  if (capacity == Capacity()) return;
  if (capacity < count_) count_ = capacity;
  items_.resize(static_cast<std::size_t>(capacity));
}

void TPersistentObjectList::SetCount(int count) {
  if (count > Capacity()) SetCapacity(count);
  std::fill(items_.begin() + std::min(count_, count), items_.begin() + count, nullptr);
  count_ = count;
}

void TPersistentObjectList::Clear() {
  count_ = 0;
  items_.clear();
  items_.shrink_to_fit();
}

void TPersistentObjectList::FreeItems() {
  for (int i = count_ - 1; i >= 0; --i)
    if (i < count_) delete Get(i);
}

void TPersistentObjectList::FreeItemsAndClear() {
  FreeItems();
  Clear();
}

void TPersistentObjectList::RaiseIndexError() const { throw EListError("Invalid list index"); }

void TPersistentObjectList::WriteToFiler(TVirtualWriter& writer) const {
  TPersistentObject::WriteToFiler(writer);
  writer.WriteInteger(0);
  writer.WriteListStart();
  std::vector<std::string> classes;
  for (int i = 0; i < count_; ++i) {
    TObject* item = Get(i);
    if (auto* persistent = dynamic_cast<TPersistentObject*>(item)) {
      const std::string name = persistent->ClassName();
      auto known = std::find(classes.begin(), classes.end(), name);
      if (known == classes.end()) {
        classes.push_back(name);
        writer.WriteString(name);
      } else {
        writer.WriteInteger(static_cast<std::int32_t>(known - classes.begin()));
      }
      persistent->WriteToFiler(writer);
    } else {
      // A foreign object cannot be archived; its address is kept only as a marker.
      writer.WriteBoolean(false);
      writer.WriteInteger(static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(item)));
    }
  }
  writer.WriteListStop();
}

void TPersistentObjectList::ReadFromFiler(TVirtualReader& reader) {
  ReadFromFilerWithCallback(reader, [this](TPersistentObject& item) { ReadItemCreated(item); });
}

void TPersistentObjectList::ReadFromFilerWithCallback(TVirtualReader& reader,
                                                      const std::function<void(TPersistentObject&)>& itemCreated) {
  TPersistentObject::ReadFromFiler(reader);
  const int version = reader.ReadInteger();
  if (version != 0) RaiseVersionError(version);
  ReadItems read;
  std::vector<const TPersistentFactory*> classes;
  reader.ReadListStart();
  while (!reader.AtListEnd()) {
    const int tag = reader.PeekValueType();
    if (tag == vaFalse || tag == vaTrue) {
      // Foreign objects and nil both come back as nil: an address means nothing in another run.
      reader.ReadBoolean();
      reader.ReadInteger();
      read.items.push_back(nullptr);
      continue;
    }
    const TPersistentFactory* factory = nullptr;
    if (tag == vaInt8 || tag == vaInt16 || tag == vaInt32) {
      const int index = reader.ReadInteger();
      if (index < 0 || static_cast<std::size_t>(index) >= classes.size()) RaiseBrokenArchive();
      factory = classes[static_cast<std::size_t>(index)];
    } else if (tag == vaString || tag == vaLString) {
      factory = &FindClass(reader.ReadString());
      classes.push_back(factory);
    } else {
      RaiseBrokenArchive();
    }
    std::unique_ptr<TPersistent> created = (*factory)();
    auto* item = dynamic_cast<TPersistentObject*>(created.get());
    if (!item) RaiseBrokenArchive();
    read.items.push_back(created.release());
    if (itemCreated) itemCreated(*item);
    item->ReadFromFiler(reader);
  }
  reader.ReadListStop();

  FreeItemsAndClear();
  SetCapacity(static_cast<int>(read.items.size()));
  for (TObject* item : read.items) Add(item);
  read.items.clear();
}
