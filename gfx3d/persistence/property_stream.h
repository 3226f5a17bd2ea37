// The properties of one object on the library's binary filer: per stored
// property its name (a sub-object's with the path "Material.Texture.")
// and its value, then the binary properties the object defines for itself.
// Enumerations are stored by value name, sets as lists of member names,
// collections as lists of item property lists, references by component name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gfx3d/core/toolkit_components.h"
#include "gfx3d/persistence/binary_filers.h"

class TPropertyWriter {
 public:
  explicit TPropertyWriter(TVirtualWriter& filer) : filer_(filer) {}
  TVirtualWriter& Filer() { return filer_; }

  // The stored published properties, then the defined binary ones that have data.
  void WriteProperties(TPersistent& object);
  void WriteName(const std::string& name) { filer_.WriteString(prefix_ + name); }
  void WriteInt(std::int64_t value);
  void WriteEnum(const std::vector<std::string>& names, int value);
  void WriteSet(const std::vector<std::string>& names, std::uint32_t members);
  void WriteObject(const std::string& name, TPersistent& object);
  void WriteCollection(const std::string& name, TCollection& items);
  void WriteReference(const std::string& name, const std::string& componentName);

 private:
  void WriteDefinedProperties(TPersistent& object);

  TVirtualWriter& filer_;
  std::string prefix_;
};

class TPropertyReader {
 public:
  // Called with the component a reference names, once the whole stream is read; null when none has that name.
  using TFixup = std::function<void(TComponent*)>;

  explicit TPropertyReader(TVirtualReader& filer) : filer_(filer) {}
  TVirtualReader& Filer() { return filer_; }

  // Properties up to the end of the list, which is read too.
  void ReadPropertyList(TPersistent& object);
  // One value of the property the path names; an unknown name raises EReadError.
  void ReadProperty(TPersistent& object, const std::string& path);
  std::int64_t ReadInt() { return filer_.ReadInteger(); }
  int ReadEnum(const std::vector<std::string>& names, const std::string& property);
  std::uint32_t ReadSet(const std::vector<std::string>& names, const std::string& property);
  void ReadCollection(TCollection& items);
  void ReadReference(TFixup fixup);
  // The references read so far with the names they gave.
  std::vector<std::pair<std::string, TFixup>>& Fixups() { return fixups_; }

 private:
  void ReadDefinedProperty(TPersistent& object, const std::string& name);

  TVirtualReader& filer_;
  std::vector<std::pair<std::string, TFixup>> fixups_;
};
