// The published properties of the library's classes, described once per
// class so that a property stream can write and read them by name. A class
// publishes its parent's properties first, then its own, in its own order;
// each property knows when it is stored (a value at its default is not).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "gfx3d/core/toolkit_components.h"
#include "gfx3d/persistence/property_stream.h"

struct TPublishedProperty {
  std::string name;
  // Writes the name and the value when the value is stored.
  std::function<void(TPersistent&, TPropertyWriter&)> write;
  // Reads the value after its name; rest is what follows "name." in a sub-object's path.
  std::function<void(TPersistent&, TPropertyReader&, const std::string& rest)> read;
  // Whether the value is the declared default; null for a property without one.
  std::function<bool(TPersistent&)> atDefault = nullptr;
};

// A declared default, or none: a value-initialised payload keeps copies well defined.
template <typename V>
struct TPropertyDefault {
  TPropertyDefault() = default;
  TPropertyDefault(V v) : given(true), value(v) {}  // NOLINT: a plain value declares the default
  bool given = false;
  V value{};
};

// Registration replaces an earlier one of the same class; parent may be empty.
void PublishClass(const std::string& className, const std::string& parentClassName,
                  std::vector<TPublishedProperty> properties);
// Every published property of the object's class, its parents' first; none for a class never published.
std::vector<const TPublishedProperty*> PublishedProperties(const TPersistent& object);
const TPublishedProperty* FindPublishedProperty(const TPersistent& object, const std::string& name);

// A setter that stores straight into a public field.
template <typename T, typename V>
auto FieldSetter(V T::*field) {
  return [field](T& o, V value) { o.*field = std::move(value); };
}

// Builds one class's table: Publisher<TGLCube>("TGLCube", "TGLStageObject").Enum(...)...; the
// table is registered when the publisher goes.
template <typename T>
class Publisher {
 public:
  Publisher(std::string className, std::string parentClassName)
      : class_name_(std::move(className)), parent_(std::move(parentClassName)) {}
  ~Publisher() { PublishClass(class_name_, parent_, std::move(properties_)); }
  Publisher(const Publisher&) = delete;
  Publisher& operator=(const Publisher&) = delete;

  // Stored unless equal to the default; always stored without one.
  template <typename Get, typename Put>
  Publisher& Single(const char* name, Get get, Put set, TPropertyDefault<float> byDefault = {}) {
    return Value<float>(
        name, get, set, byDefault, [](TPropertyWriter& w, float v) { w.Filer().WriteFloat(v); },
        [](TPropertyReader& r) { return static_cast<float>(r.Filer().ReadFloat()); });
  }
  template <typename Get, typename Put>
  Publisher& Integer(const char* name, Get get, Put set, TPropertyDefault<std::int64_t> byDefault = {}) {
    using V = std::decay_t<std::invoke_result_t<Get, T&>>;
    return Value<std::int64_t>(
        name, [get](T& o) { return static_cast<std::int64_t>(std::invoke(get, o)); },
        [set](T& o, std::int64_t v) { std::invoke(set, o, static_cast<V>(v)); }, byDefault,
        [](TPropertyWriter& w, std::int64_t v) { w.WriteInt(v); }, [](TPropertyReader& r) { return r.ReadInt(); });
  }
  template <typename Get, typename Put>
  Publisher& Boolean(const char* name, Get get, Put set, TPropertyDefault<bool> byDefault = {}) {
    return Value<bool>(
        name, get, set, byDefault, [](TPropertyWriter& w, bool v) { w.Filer().WriteBoolean(v); },
        [](TPropertyReader& r) { return r.Filer().ReadBoolean(); });
  }
  // Stored unless empty.
  template <typename Get, typename Put>
  Publisher& String(const char* name, Get get, Put set) {
    return Value<std::string>(
        name, get, set, TPropertyDefault<std::string>(std::string()),
        [](TPropertyWriter& w, const std::string& v) { w.Filer().WriteString(v); },
        [](TPropertyReader& r) { return r.Filer().ReadString(); });
  }
  // Stored as the value's name; names in the enumeration's order.
  template <typename Get, typename Put>
  Publisher& Enum(const char* name, std::vector<std::string> names, Get get, Put set,
                  TPropertyDefault<int> byDefault = {}) {
    using V = std::decay_t<std::invoke_result_t<Get, T&>>;
    return Value<int>(
        name, [get](T& o) { return static_cast<int>(std::invoke(get, o)); },
        [set](T& o, int v) { std::invoke(set, o, static_cast<V>(v)); }, byDefault,
        [names](TPropertyWriter& w, int v) { w.WriteEnum(names, v); },
        [names, name](TPropertyReader& r) { return r.ReadEnum(names, name); });
  }
  // A set whose member i is bit i, stored as the list of its members' names.
  template <typename Get, typename Put>
  Publisher& Set(const char* name, std::vector<std::string> names, Get get, Put set,
                 TPropertyDefault<std::uint32_t> byDefault = {}) {
    using V = std::decay_t<std::invoke_result_t<Get, T&>>;
    return Value<std::uint32_t>(
        name, [get](T& o) { return static_cast<std::uint32_t>(std::invoke(get, o)); },
        [set](T& o, std::uint32_t v) { std::invoke(set, o, static_cast<V>(v)); }, byDefault,
        [names](TPropertyWriter& w, std::uint32_t v) { w.WriteSet(names, v); },
        [names, name](TPropertyReader& r) { return r.ReadSet(names, name); });
  }
  // A sub-object whose own properties are stored under "name.".
  template <typename Get>
  Publisher& Object(const char* name, Get get) {
    properties_.push_back({name,
                           [get, name, stored = NextStored()](TPersistent& o, TPropertyWriter& w) {
                             if (stored(o)) w.WriteObject(name, std::invoke(get, static_cast<T&>(o)));
                           },
                           [get](TPersistent& o, TPropertyReader& r, const std::string& rest) {
                             r.ReadProperty(std::invoke(get, static_cast<T&>(o)), rest);
                           }});
    return *this;
  }
  // The items of a collection, each with its own properties; stored unless empty.
  template <typename Get>
  Publisher& Collection(const char* name, Get get) {
    properties_.push_back({name,
                           [get, name, stored = NextStored()](TPersistent& o, TPropertyWriter& w) {
                             TCollection& items = std::invoke(get, static_cast<T&>(o));
                             if (items.Count() > 0 && stored(o)) w.WriteCollection(name, items);
                           },
                           [get](TPersistent& o, TPropertyReader& r, const std::string&) {
                             r.ReadCollection(std::invoke(get, static_cast<T&>(o)));
                           }});
    return *this;
  }
  // A list in its own archive format, inline on the filer; stored unless empty.
  template <typename Get>
  Publisher& Archive(const char* name, Get get) {
    properties_.push_back({name,
                           [get, name](TPersistent& o, TPropertyWriter& w) {
                             auto& list = std::invoke(get, static_cast<T&>(o));
                             if (list.Count() == 0) return;
                             w.WriteName(name);
                             list.WriteToFiler(w.Filer());
                           },
                           [get](TPersistent& o, TPropertyReader& r, const std::string&) {
                             std::invoke(get, static_cast<T&>(o)).ReadFromFiler(r.Filer());
                           }});
    return *this;
  }
  // Another component, stored by name and found again once the whole stream is read.
  template <typename Target, typename Get, typename Put>
  Publisher& Reference(const char* name, Get get, Put set) {
    properties_.push_back({name,
                           [get, name](TPersistent& o, TPropertyWriter& w) {
                             const TComponent* target = std::invoke(get, static_cast<T&>(o));
                             if (target && !target->Name().empty()) w.WriteReference(name, target->Name());
                           },
                           [set](TPersistent& o, TPropertyReader& r, const std::string&) {
                             T* object = &static_cast<T&>(o);
                             r.ReadReference([object, set](TComponent* target) {
                               std::invoke(set, *object, dynamic_cast<Target*>(target));
                             });
                           }});
    return *this;
  }
  // The next property is stored only when the test holds (and its own default rule allows).
  Publisher& StoredWhen(std::function<bool(T&)> test) {
    next_stored_ = std::move(test);
    return *this;
  }

 private:
  std::function<bool(TPersistent&)> NextStored() {
    std::function<bool(T&)> test = std::exchange(next_stored_, nullptr);
    if (!test) return [](TPersistent&) { return true; };
    return [test](TPersistent& o) { return test(static_cast<T&>(o)); };
  }

  template <typename V, typename Get, typename Put, typename Write, typename Read>
  Publisher& Value(const char* name, Get get, Put set, TPropertyDefault<V> byDefault, Write write, Read read) {
    std::function<bool(TPersistent&)> atDefault;
    if (byDefault.given)
      atDefault = [get, value = byDefault.value](TPersistent& o) {
        return static_cast<V>(std::invoke(get, static_cast<T&>(o))) == value;
      };
    properties_.push_back({name,
                           [get, name, atDefault, write, stored = NextStored()](TPersistent& o, TPropertyWriter& w) {
                             if ((atDefault && atDefault(o)) || !stored(o)) return;
                             w.WriteName(name);
                             write(w, static_cast<V>(std::invoke(get, static_cast<T&>(o))));
                           },
                           [set, read](TPersistent& o, TPropertyReader& r, const std::string&) {
                             std::invoke(set, static_cast<T&>(o), read(r));
                           },
                           atDefault});
    return *this;
  }

  std::string class_name_;
  std::string parent_;
  std::vector<TPublishedProperty> properties_;
  std::function<bool(T&)> next_stored_;
};
