#include "gfx3d/persistence/property_stream.h"

#include <algorithm>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/published_properties.h"
#include "gfx3d/persistence/streams.h"

namespace {

struct TDefinedProperty {
  std::string name;
  std::function<void(TStream&)> read;
  std::function<void(TStream&)> write;
  bool hasData;
};

// Collects what DefineProperties offers, for the writer and the reader alike.
class TDefinedProperties : public TPropertyDefiner {
 public:
  explicit TDefinedProperties(TPersistent& object) { object.DefineProperties(*this); }
  void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                            const std::function<void(TStream&)>& write, bool hasData) override {
    properties.push_back({name, read, write, hasData});
  }
  std::vector<TDefinedProperty> properties;
};

[[noreturn]] void RaiseBadValue(const std::string& property, const std::string& value) {
  throw EReadError("Invalid property value " + value + " for " + property);
}

}  // namespace

void TPropertyWriter::WriteProperties(TPersistent& object) {
  for (const TPublishedProperty* property : PublishedProperties(object)) property->write(object, *this);
  WriteDefinedProperties(object);
}

void TPropertyWriter::WriteDefinedProperties(TPersistent& object) {
  for (const TDefinedProperty& property : TDefinedProperties(object).properties) {
    if (!property.hasData) continue;
    TStringStream data;
    property.write(data);
    WriteName(property.name);
    filer_.WriteString(data.DataString());
  }
}

// Unsigned 32-bit values travel as their two's complement pattern.
void TPropertyWriter::WriteInt(std::int64_t value) { filer_.WriteInteger(static_cast<std::int32_t>(value)); }

void TPropertyWriter::WriteEnum(const std::vector<std::string>& names, int value) {
  filer_.WriteString(names.at(static_cast<std::size_t>(value)));
}

void TPropertyWriter::WriteSet(const std::vector<std::string>& names, std::uint32_t members) {
  filer_.WriteListStart();
  for (std::size_t i = 0; i < names.size(); ++i)
    if (members & (1u << i)) filer_.WriteString(names[i]);
  filer_.WriteListStop();
}

void TPropertyWriter::WriteObject(const std::string& name, TPersistent& object) {
  const std::string outer = prefix_;
  prefix_ += name + ".";
  WriteProperties(object);
  prefix_ = outer;
}

void TPropertyWriter::WriteCollection(const std::string& name, TCollection& items) {
  WriteName(name);
  filer_.WriteListStart();
  const std::string outer = std::exchange(prefix_, std::string());
  for (int i = 0; i < items.Count(); ++i) {
    filer_.WriteListStart();
    WriteProperties(*items.Items(i));
    filer_.WriteListStop();
  }
  prefix_ = outer;
  filer_.WriteListStop();
}

void TPropertyWriter::WriteReference(const std::string& name, const std::string& componentName) {
  WriteName(name);
  filer_.WriteString(componentName);
}

void TPropertyReader::ReadPropertyList(TPersistent& object) {
  while (!filer_.AtListEnd()) ReadProperty(object, filer_.ReadString());
  filer_.ReadListStop();
}

void TPropertyReader::ReadProperty(TPersistent& object, const std::string& path) {
  const std::size_t dot = path.find('.');
  const std::string name = path.substr(0, dot);
  const std::string rest = dot == std::string::npos ? std::string() : path.substr(dot + 1);
  if (const TPublishedProperty* property = FindPublishedProperty(object, name))
    property->read(object, *this, rest);
  else
    ReadDefinedProperty(object, path);  // defined names may hold dots ("Picture.Data")
}

void TPropertyReader::ReadDefinedProperty(TPersistent& object, const std::string& name) {
  TDefinedProperties defined(object);
  const auto found = std::find_if(defined.properties.begin(), defined.properties.end(),
                                  [&name](const TDefinedProperty& p) { return p.name == name; });
  if (found == defined.properties.end()) throw EReadError("Property " + name + " does not exist");
  TStringStream data(filer_.ReadString());
  found->read(data);
}

int TPropertyReader::ReadEnum(const std::vector<std::string>& names, const std::string& property) {
  const std::string value = filer_.ReadString();
  const auto found = std::find(names.begin(), names.end(), value);
  if (found == names.end()) RaiseBadValue(property, value);
  return static_cast<int>(found - names.begin());
}

std::uint32_t TPropertyReader::ReadSet(const std::vector<std::string>& names, const std::string& property) {
  std::uint32_t members = 0;
  filer_.ReadListStart();
  while (!filer_.AtListEnd()) members |= 1u << ReadEnum(names, property);
  filer_.ReadListStop();
  return members;
}

void TPropertyReader::ReadCollection(TCollection& items) {
  items.BeginUpdate();
  try {
    items.Clear();
    filer_.ReadListStart();
    while (!filer_.AtListEnd()) {
      filer_.ReadListStart();
      ReadPropertyList(*items.Add());
    }
    filer_.ReadListStop();
  } catch (...) {
    items.EndUpdate();
    throw;
  }
  items.EndUpdate();
}

void TPropertyReader::ReadReference(TFixup fixup) { fixups_.emplace_back(filer_.ReadString(), std::move(fixup)); }
