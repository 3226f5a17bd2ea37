// The two item families a scene object can carry: behaviours, called as time
// goes by, and effects, called around the object's rendering (before it,
// after it, or after the whole scene). The bases do nothing; subclasses do.
#pragma once

#include "gfx3d/gl/render_context_info.h"
#include "gfx3d/lists/polymorphic_collections.h"

class TGLBaseStageObject;
class TGLStageBuffer;

class TGLBaseBehaviour : public TXCollectionItem {
 public:
  using TXCollectionItem::TXCollectionItem;
  // The scene object whose collection holds this item.
  TGLBaseStageObject* OwnerBaseStageObject() const;
  virtual void DoProgress(double /*deltaTime*/, double /*newTime*/) {}
  // Version 0 before the item's data.
  void WriteToFiler(TVirtualWriter& writer) const override;
  void ReadFromFiler(TVirtualReader& reader) override;
};

class TGLBehaviour : public TGLBaseBehaviour {
 public:
  static const TXCollectionItemClass& ItemClassInfo();
  explicit TGLBehaviour(TXCollection* owner, const TXCollectionItemClass& itemClass = ItemClassInfo())
      : TGLBaseBehaviour(owner, itemClass) {}
};

class TGLObjectEffect : public TGLBaseBehaviour {
 public:
  static const TXCollectionItemClass& ItemClassInfo();
  explicit TGLObjectEffect(TXCollection* owner, const TXCollectionItemClass& itemClass = ItemClassInfo())
      : TGLBaseBehaviour(owner, itemClass) {}
  virtual void Render(TGLStageBuffer& /*buffer*/, TRenderContextInfo& /*rci*/) {}
};

// Rendered before the object is drawn.
class TGLObjectPreEffect : public TGLObjectEffect {
 public:
  static const TXCollectionItemClass& ItemClassInfo();
  explicit TGLObjectPreEffect(TXCollection* owner) : TGLObjectEffect(owner, ItemClassInfo()) {}
};

// Rendered right after the object is drawn.
class TGLObjectPostEffect : public TGLObjectEffect {
 public:
  static const TXCollectionItemClass& ItemClassInfo();
  explicit TGLObjectPostEffect(TXCollection* owner) : TGLObjectEffect(owner, ItemClassInfo()) {}
};

// Rendered by the scene after every object.
class TGLObjectAfterEffect : public TGLObjectEffect {
 public:
  static const TXCollectionItemClass& ItemClassInfo();
  explicit TGLObjectAfterEffect(TXCollection* owner) : TGLObjectEffect(owner, ItemClassInfo()) {}
};

// Accepts behaviours only; its owner must be a scene object.
class TGLBehaviours : public TXCollection {
 public:
  explicit TGLBehaviours(TGLBaseStageObject* owner);
  std::string ClassName() const override { return "TGLBehaviours"; }
  const TXCollectionItemClass& ItemsClass() const override { return TGLBehaviour::ItemClassInfo(); }
  // The owner's name path + ".Behaviours".
  std::string GetNamePath() const override;
  void DoProgress(double deltaTime, double newTime);
};

// Accepts effects only; its owner must be a scene object.
class TGLObjectEffects : public TXCollection {
 public:
  explicit TGLObjectEffects(TGLBaseStageObject* owner);
  std::string ClassName() const override { return "TGLObjectEffects"; }
  const TXCollectionItemClass& ItemsClass() const override { return TGLObjectEffect::ItemClassInfo(); }
  // The owner's name path + ".Effects".
  std::string GetNamePath() const override;
  void DoProgress(double deltaTime, double newTime);
  void RenderPreEffects(TGLStageBuffer& buffer, TRenderContextInfo& rci);
  // Post-effects now; after-effects go to the buffer's list for the end of the pass.
  void RenderPostEffects(TGLStageBuffer& buffer, TRenderContextInfo& rci);
};

// Registers the item classes by name, for archives that name them.
void RegisterBehaviourClasses();
