#include "scene3d/persistence/scene_stream.h"

#include <map>
#include <string>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/property_stream.h"
#include "scene3d/graph/stage.h"

namespace {

std::vector<TComponent*> ChildrenToWrite(TComponent& component) {
  std::vector<TComponent*> children;
  const auto add = [&children](const TGLBaseStageObject& parent) {
    for (int i = 0; i < parent.Count(); ++i) children.push_back(parent.Children(i));
  };
  if (auto* scene = dynamic_cast<TGLStage*>(&component)) {
    add(scene->Cameras());
    add(scene->Objects());
  } else if (auto* object = dynamic_cast<TGLBaseStageObject*>(&component)) {
    add(*object);
  }
  return children;
}

void WriteComponent(TPropertyWriter& writer, TComponent& component) {
  writer.Filer().WriteString(component.ClassName());
  writer.Filer().WriteString(component.Name());
  writer.WriteProperties(component);
  writer.Filer().WriteListStop();
  for (TComponent* child : ChildrenToWrite(component)) WriteComponent(writer, *child);
  writer.Filer().WriteListStop();
}

class TComponentReader {
 public:
  explicit TComponentReader(TVirtualReader& filer) : properties_(filer) {}

  std::vector<std::unique_ptr<TComponent>> ReadAll() {
    std::vector<std::unique_ptr<TComponent>> roots;
    TVirtualReader& filer = properties_.Filer();
    filer.ReadListStart();
    while (!filer.AtListEnd()) roots.push_back(ReadComponent(nullptr));
    filer.ReadListStop();
    ResolveReferences();
    for (TComponent* component : read_) component->SetLoading(false);
    for (TComponent* component : read_) component->Loaded();
    return roots;
  }

 private:
  // Null for a child: its parent holds it.
  std::unique_ptr<TComponent> ReadComponent(TComponent* parent) {
    TVirtualReader& filer = properties_.Filer();
    const std::string className = filer.ReadString();
    std::unique_ptr<TPersistent> made = FindClass(className)();
    std::unique_ptr<TComponent> component(dynamic_cast<TComponent*>(made.get()));
    if (!component) throw EReadError(className + " is not a component");
    made.release();
    component->SetName(filer.ReadString());
    component->SetLoading(true);
    TComponent* self = component.get();
    if (parent) Adopt(std::move(component), *parent);
    read_.push_back(self);
    properties_.ReadPropertyList(*self);
    while (!filer.AtListEnd()) ReadComponent(self);
    filer.ReadListStop();
    return component;
  }

  static void Adopt(std::unique_ptr<TComponent> child, TComponent& parent) {
    auto* object = dynamic_cast<TGLBaseStageObject*>(child.get());
    if (object) SetParentComponent(*object, &parent);
    if (!object || !object->Parent())
      throw EReadError(child->ClassName() + " cannot be a child of " + parent.ClassName());
    child.release();
  }

  void ResolveReferences() {
    std::map<std::string, TComponent*> named;
    for (TComponent* component : read_)
      if (!component->Name().empty()) named.emplace(component->Name(), component);
    for (auto& [name, fixup] : properties_.Fixups()) {
      const auto found = named.find(name);
      fixup(found == named.end() ? nullptr : found->second);
    }
  }

  TPropertyReader properties_;
  std::vector<TComponent*> read_;
};

}  // namespace

void WriteComponents(TVirtualWriter& filer, const std::vector<TComponent*>& components) {
  TPropertyWriter writer(filer);
  filer.WriteListStart();
  for (TComponent* component : components) WriteComponent(writer, *component);
  filer.WriteListStop();
}

std::vector<std::unique_ptr<TComponent>> ReadComponents(TVirtualReader& filer) {
  return TComponentReader(filer).ReadAll();
}

void SetParentComponent(TGLBaseStageObject& object, TComponent* parent) {
  if (object.Parent()) object.MoveToParent(nullptr);
  if (auto* scene = dynamic_cast<TGLStage*>(parent))
    (object.IsCamera() ? scene->Cameras() : scene->Objects()).AddChild(&object);
  else if (auto* parentObject = dynamic_cast<TGLBaseStageObject*>(parent))
    parentObject->AddChild(&object);
}
