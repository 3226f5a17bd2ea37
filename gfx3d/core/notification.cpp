#include "gfx3d/core/notification.h"

void TGLUpdateAbleObject::NotifyChange(TObject*) {
  if (updating_ != 0 || !owner_) return;
  if (auto* object = dynamic_cast<TGLUpdateAbleObject*>(owner_)) {
    object->NotifyChange(this);
  } else if (auto* component = dynamic_cast<TGLUpdateAbleComponent*>(owner_)) {
    component->NotifyChange(this);
  }
  if (OnNotifyChange) OnNotifyChange(this);
}

void TGLUpdateAbleObject::EndUpdate() {
  if (--updating_ <= 0) {
    updating_ = 0;
    NotifyChange(this);
  }
}

void TGLUpdateAbleComponent::NotifyChange(TObject*) {
  if (auto* owner = dynamic_cast<TGLUpdateAbleComponent*>(Owner())) owner->NotifyChange(this);
}

TNotifyCollection::TNotifyCollection(TPersistent* owner, TItemClass itemClass)
    : TOwnedCollection(owner, std::move(itemClass)) {
  if (auto* component = dynamic_cast<TGLUpdateAbleComponent*>(owner))
    OnNotifyChange = [component](TObject* sender) { component->NotifyChange(sender); };
}

void TNotifyCollection::Update(TCollectionItem* item) {
  TOwnedCollection::Update(item);
  if (OnNotifyChange) OnNotifyChange(this);
}
