#include "scene3d/graph/behaviours.h"

#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/persistence.h"
#include "scene3d/graph/stage_object.h"
#include "scene3d/render/stage_buffer.h"

namespace {

constexpr const char* kUnit = "SceneGraph";

bool IsBehaviours(const TXCollection& collection) { return dynamic_cast<const TGLBehaviours*>(&collection); }
bool IsEffects(const TXCollection& collection) { return dynamic_cast<const TGLObjectEffects*>(&collection); }

template <typename Item>
TXCollectionItemClass MakeItemClass(const char* name, const TXCollectionItemClass* parent,
                                    bool (*canAddTo)(const TXCollection&)) {
  TXCollectionItemClass info;
  info.className = name;
  info.displayName = name;
  info.create = [](TXCollection& owner) -> TXCollectionItem* { return new Item(&owner); };
  info.parent = parent;
  info.canAddTo = canAddTo;
  return info;
}

TGLBaseStageObject* RequireStageObject(TGLBaseStageObject* owner) {
  Assert(owner != nullptr, kUnit, __LINE__, "Behaviours and effects belong to a scene object");
  return owner;
}

}  // namespace

TGLBaseStageObject* TGLBaseBehaviour::OwnerBaseStageObject() const {
  return Owner() ? dynamic_cast<TGLBaseStageObject*>(Owner()->GetOwner()) : nullptr;
}

void TGLBaseBehaviour::WriteToFiler(TVirtualWriter& writer) const {
  TXCollectionItem::WriteToFiler(writer);
  writer.WriteInteger(0);
}

void TGLBaseBehaviour::ReadFromFiler(TVirtualReader& reader) {
  TXCollectionItem::ReadFromFiler(reader);
  Assert(reader.ReadInteger() == 0, kUnit, __LINE__, "Unknown behaviour archive version");
}

const TXCollectionItemClass& TGLBehaviour::ItemClassInfo() {
  static const TXCollectionItemClass info = MakeItemClass<TGLBehaviour>("TGLBehaviour", nullptr, IsBehaviours);
  return info;
}

const TXCollectionItemClass& TGLObjectEffect::ItemClassInfo() {
  static const TXCollectionItemClass info = MakeItemClass<TGLObjectEffect>("TGLObjectEffect", nullptr, IsEffects);
  return info;
}

const TXCollectionItemClass& TGLObjectPreEffect::ItemClassInfo() {
  static const TXCollectionItemClass info =
      MakeItemClass<TGLObjectPreEffect>("TGLObjectPreEffect", &TGLObjectEffect::ItemClassInfo(), IsEffects);
  return info;
}

const TXCollectionItemClass& TGLObjectPostEffect::ItemClassInfo() {
  static const TXCollectionItemClass info =
      MakeItemClass<TGLObjectPostEffect>("TGLObjectPostEffect", &TGLObjectEffect::ItemClassInfo(), IsEffects);
  return info;
}

const TXCollectionItemClass& TGLObjectAfterEffect::ItemClassInfo() {
  static const TXCollectionItemClass info =
      MakeItemClass<TGLObjectAfterEffect>("TGLObjectAfterEffect", &TGLObjectEffect::ItemClassInfo(), IsEffects);
  return info;
}

TGLBehaviours::TGLBehaviours(TGLBaseStageObject* owner) : TXCollection(RequireStageObject(owner)) {}

std::string TGLBehaviours::GetNamePath() const { return GetOwner()->GetNamePath() + ".Behaviours"; }

void TGLBehaviours::DoProgress(double deltaTime, double newTime) {
  for (int i = 0; i < Count(); ++i) static_cast<TGLBaseBehaviour&>(Items(i)).DoProgress(deltaTime, newTime);
}

TGLObjectEffects::TGLObjectEffects(TGLBaseStageObject* owner) : TXCollection(RequireStageObject(owner)) {}

std::string TGLObjectEffects::GetNamePath() const { return GetOwner()->GetNamePath() + ".Effects"; }

void TGLObjectEffects::DoProgress(double deltaTime, double newTime) {
  for (int i = 0; i < Count(); ++i) static_cast<TGLBaseBehaviour&>(Items(i)).DoProgress(deltaTime, newTime);
}

void TGLObjectEffects::RenderPreEffects(TGLStageBuffer& buffer, TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i)
    if (auto* effect = dynamic_cast<TGLObjectPreEffect*>(&Items(i))) effect->Render(buffer, rci);
}

void TGLObjectEffects::RenderPostEffects(TGLStageBuffer& buffer, TRenderContextInfo& rci) {
  for (int i = 0; i < Count(); ++i) {
    if (auto* effect = dynamic_cast<TGLObjectPostEffect*>(&Items(i)))
      effect->Render(buffer, rci);
    else if (auto* after = dynamic_cast<TGLObjectAfterEffect*>(&Items(i)))
      buffer.AfterRenderEffects().push_back(after);
  }
}

void RegisterBehaviourClasses() {
  RegisterXCollectionItemClass(TGLBehaviour::ItemClassInfo());
  RegisterXCollectionItemClass(TGLObjectEffect::ItemClassInfo());
  RegisterXCollectionItemClass(TGLObjectPreEffect::ItemClassInfo());
  RegisterXCollectionItemClass(TGLObjectPostEffect::ItemClassInfo());
  RegisterXCollectionItemClass(TGLObjectAfterEffect::ItemClassInfo());
}
