// How 3-D objects tell their owners that they changed: an updatable
// persistent object, updatable components, and a collection that reports
// its changes through an event.
#pragma once

#include <functional>

#include "gfx3d/core/toolkit_components.h"

using TNotifyEvent = std::function<void(TObject* sender)>;

class TGLUpdateAbleObject : public TPersistent {
 public:
  // owner: the persistent object or component told about changes; may be null.
  explicit TGLUpdateAbleObject(TPersistent* owner) : owner_(owner) {}
  std::string ClassName() const override { return "TGLUpdateAbleObject"; }
  TPersistent* GetOwner() const override { return owner_; }
  TPersistent* Owner() const { return owner_; }

  // Outside an update bracket and with an owner: tells an updatable owner, then
  // fires OnNotifyChange. Otherwise nothing happens, the event included.
  virtual void NotifyChange(TObject* sender);
  // A bracket that holds notifications back; closing the last one notifies once.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  int UpdateCount() const { return updating_; }

  TNotifyEvent OnNotifyChange;

 private:
  TPersistent* owner_;
  int updating_ = 0;
};

class TGLCadenceAbleComponent : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TGLCadenceAbleComponent"; }
  // Called as time goes by; nothing to do in the base.
  virtual void DoProgress(double /*deltaTime*/, double /*newTime*/) {}
};

class TGLUpdateAbleComponent : public TGLCadenceAbleComponent {
 public:
  using TGLCadenceAbleComponent::TGLCadenceAbleComponent;
  std::string ClassName() const override { return "TGLUpdateAbleComponent"; }
  // Passes the change on to an updatable owner component.
  virtual void NotifyChange(TObject* sender);
};

// A component whose coordinate properties report to it directly.
class TGLCoordinatesUpdateAbleComponent : public TGLUpdateAbleComponent {
 public:
  using TGLUpdateAbleComponent::TGLUpdateAbleComponent;
  std::string ClassName() const override { return "TGLCoordinatesUpdateAbleComponent"; }
  virtual void CoordinateChanged(TObject* sender) = 0;
};

// An owned collection that fires OnNotifyChange after its change hook; owned
// by an updatable component, the event is that component's NotifyChange.
class TNotifyCollection : public TOwnedCollection {
 public:
  TNotifyCollection(TPersistent* owner, TItemClass itemClass);
  std::string ClassName() const override { return "TNotifyCollection"; }

  TNotifyEvent OnNotifyChange;

 protected:
  void Update(TCollectionItem* item) override;
};
