#include "gfx3d/persistence/published_properties.h"

#include <map>

namespace {

struct TPublishedClass {
  std::string parent;
  std::vector<TPublishedProperty> properties;
};

std::map<std::string, TPublishedClass>& Registry() {
  static std::map<std::string, TPublishedClass> classes;
  return classes;
}

void CollectProperties(const std::string& className, std::vector<const TPublishedProperty*>& properties) {
  const auto found = Registry().find(className);
  if (found == Registry().end()) return;
  CollectProperties(found->second.parent, properties);
  for (const TPublishedProperty& property : found->second.properties) properties.push_back(&property);
}

}  // namespace

void PublishClass(const std::string& className, const std::string& parentClassName,
                  std::vector<TPublishedProperty> properties) {
  Registry()[className] = {parentClassName, std::move(properties)};
}

std::vector<const TPublishedProperty*> PublishedProperties(const TPersistent& object) {
  std::vector<const TPublishedProperty*> properties;
  CollectProperties(object.ClassName(), properties);
  return properties;
}

const TPublishedProperty* FindPublishedProperty(const TPersistent& object, const std::string& name) {
  for (const TPublishedProperty* property : PublishedProperties(object))
    if (property->name == name) return property;
  return nullptr;
}
