#include "gfx3d/core/toolkit_objects.h"

#include <map>

#include "gfx3d/core/library_errors.h"

namespace {

std::map<std::string, TPersistentFactory>& Registry() {
  static std::map<std::string, TPersistentFactory> registry;
  return registry;
}

}  // namespace

void TPersistent::Assign(const TPersistent* source) {
  if (!source) AssignError(nullptr);
  source->AssignTo(*this);
}

std::string TPersistent::GetNamePath() const {
  const TPersistent* owner = GetOwner();
  const std::string ownerPath = owner ? owner->GetNamePath() : std::string();
  return ownerPath.empty() ? ClassName() : ownerPath + "." + ClassName();
}

void TPersistent::AssignTo(TPersistent& dest) const { dest.AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
  throw EConvertError("Cannot assign a " + (source ? source->ClassName() : std::string("nil")) + " to a " +
                      ClassName());
}

void RegisterClass(const std::string& name, TPersistentFactory factory) { Registry()[name] = std::move(factory); }

const TPersistentFactory& FindClass(const std::string& name) {
  auto found = Registry().find(name);
  if (found == Registry().end()) throw EClassNotFound("Class " + name + " not found");
  return found->second;
}
