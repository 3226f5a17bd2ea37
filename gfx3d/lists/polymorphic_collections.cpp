#include "gfx3d/lists/polymorphic_collections.h"

#include <algorithm>

#include "gfx3d/core/library_errors.h"

namespace {

constexpr const char* kUnit = "XCollection";

std::vector<const TXCollectionItemClass*>& Registry() {
  static std::vector<const TXCollectionItemClass*> classes;
  return classes;
}

}  // namespace

bool TXCollectionItemClass::InheritsFrom(const TXCollectionItemClass& other) const {
  for (const TXCollectionItemClass* c = this; c; c = c->parent)
    if (c == &other) return true;
  return false;
}

const TXCollectionItemClass& TXCollectionItemClass::Base() {
  static const TXCollectionItemClass base{"TXCollectionItem", "", nullptr, false, nullptr, nullptr};
  return base;
}

TXCollectionItem::TXCollectionItem(TXCollection* owner, const TXCollectionItemClass& itemClass)
    : owner_(owner), item_class_(itemClass), name_(itemClass.displayName) {
  if (!owner_) return;
  Assert(owner_->CanAdd(itemClass), kUnit, 0,
         "Addition of " + itemClass.className + " to " + owner_->ClassName() + " rejected.");
  owner_->items_.push_back(this);
}

TXCollectionItem::~TXCollectionItem() {
  if (!owner_) return;
  auto& items = owner_->items_;
  items.erase(std::remove(items.begin(), items.end(), this), items.end());
}

void TXCollectionItem::Assign(const TPersistent* source) {
  if (auto* item = dynamic_cast<const TXCollectionItem*>(source))
    SetName(item->name_);
  else
    TPersistent::Assign(source);
}

int TXCollectionItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }

TPersistent* TXCollectionItem::GetOwner() const { return owner_; }

std::string TXCollectionItem::GetNamePath() const {
  if (!owner_) return TPersistent::GetNamePath();
  return owner_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TXCollectionItem::WriteToFiler(TVirtualWriter& writer) const {
  writer.WriteInteger(0);
  writer.WriteString(name_);
}

void TXCollectionItem::ReadFromFiler(TVirtualReader& reader) {
  Assert(reader.ReadInteger() == 0, kUnit, 0);
  SetName(reader.ReadString());
}

TXCollection::~TXCollection() { Clear(); }

void TXCollection::Clear() {
  std::vector<TXCollectionItem*> items;
  items.swap(items_);
  for (TXCollectionItem* item : items) {
    item->owner_ = nullptr;
    delete item;
  }
}

int TXCollection::IndexOf(const TXCollectionItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TXCollection::Assign(const TPersistent* source) {
  if (!source) {
    Clear();
    return;
  }
  auto* collection = dynamic_cast<const TXCollection*>(source);
  if (!collection || collection->ClassName() != ClassName()) {
    TPersistent::Assign(source);
    return;
  }
  Clear();
  for (const TXCollectionItem* item : collection->items_) item->item_class_.create(*this)->Assign(item);
}

void TXCollection::Loaded() {
  for (TXCollectionItem* item : items_) item->Loaded();
}

std::string TXCollection::GetNamePath() const {
  const std::string ownerPath = owner_ ? owner_->GetNamePath() : std::string();
  return ownerPath.empty() ? ClassName() : ownerPath + ".XCollection";
}

bool TXCollection::CanAdd(const TXCollectionItemClass& itemClass) const {
  if (itemClass.canAddTo && !itemClass.canAddTo(*this)) return false;
  for (const TXCollectionItem* item : items_) {
    const TXCollectionItemClass& present = item->item_class_;
    if (itemClass.uniqueItem && present.InheritsFrom(itemClass)) return false;
    if (present.uniqueItem && itemClass.InheritsFrom(present)) return false;
  }
  return true;
}

TXCollectionItem& TXCollection::AddItem(const TXCollectionItemClass& itemClass) { return *itemClass.create(*this); }

void TXCollection::WriteToFiler(TVirtualWriter& writer) const {
  writer.WriteInteger(Count());
  std::vector<const TXCollectionItemClass*> written;
  for (const TXCollectionItem* item : items_) {
    const auto seen = std::find(written.begin(), written.end(), &item->item_class_);
    if (seen != written.end()) {
      writer.WriteInteger(static_cast<int>(seen - written.begin()));
    } else {
      writer.WriteString(item->item_class_.className);
      written.push_back(&item->item_class_);
    }
    item->WriteToFiler(writer);
  }
}

void TXCollection::ReadFromFiler(TVirtualReader& reader) {
  Clear();
  const int count = reader.ReadInteger();
  std::vector<const TXCollectionItemClass*> classes;
  for (int i = 0; i < count; ++i) {
    const TXCollectionItemClass* itemClass = nullptr;
    const int type = reader.PeekValueType();
    if (type == vaString || type == vaLString) {
      const std::string name = reader.ReadString();
      itemClass = FindXCollectionItemClass(name);
      Assert(itemClass != nullptr, kUnit, 0, "Class " + name + " unknown. Add the relevant unit to your \"uses\".");
      classes.push_back(itemClass);
    } else {
      const int index = reader.ReadInteger();
      // An index the archive has not introduced is damage, never a class.
      Assert(index >= 0 && index < static_cast<int>(classes.size()), kUnit, 0, "Invalid class index in archive");
      itemClass = classes[static_cast<std::size_t>(index)];
    }
    itemClass->create(*this)->ReadFromFiler(reader);
  }
}

void RegisterXCollectionItemClass(const TXCollectionItemClass& itemClass) {
  if (std::find(Registry().begin(), Registry().end(), &itemClass) == Registry().end()) Registry().push_back(&itemClass);
}

void UnregisterXCollectionItemClass(const TXCollectionItemClass& itemClass) {
  auto& classes = Registry();
  classes.erase(std::remove(classes.begin(), classes.end(), &itemClass), classes.end());
}

const TXCollectionItemClass* FindXCollectionItemClass(const std::string& name) {
  for (const TXCollectionItemClass* itemClass : Registry())
    if (itemClass->className == name) return itemClass;
  return nullptr;
}
