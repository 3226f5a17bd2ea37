// The object bases the 3-D library builds on: an object that knows its class
// name, a persistent object that can take another's values and define extra
// stream properties, and the registry that makes classes by name.
#pragma once

#include <functional>
#include <memory>
#include <string>

class TStream;

class TObject {
 public:
  virtual ~TObject() = default;
  virtual std::string ClassName() const { return "TObject"; }
};

// Receives the binary properties an object keeps in the form file beside its ordinary ones.
class TPropertyDefiner {
 public:
  virtual ~TPropertyDefiner() = default;
  virtual void DefineBinaryProperty(const std::string& name, const std::function<void(TStream&)>& read,
                                    const std::function<void(TStream&)>& write, bool hasData) = 0;
};

class TPersistent : public TObject {
 public:
  std::string ClassName() const override { return "TPersistent"; }
  // Takes source's values; raises EConvertError when neither side knows how.
  virtual void Assign(const TPersistent* source);
  virtual TPersistent* GetOwner() const { return nullptr; }
  // The class name, after the owner's name path and a dot when that path is not empty.
  virtual std::string GetNamePath() const;
  virtual void DefineProperties(TPropertyDefiner&) {}

 protected:
  virtual void AssignTo(TPersistent& dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

using TPersistentFactory = std::function<std::unique_ptr<TPersistent>()>;

// Classes that archives may name. Registration replaces an earlier one of the same name.
void RegisterClass(const std::string& name, TPersistentFactory factory);
// Raises EClassNotFound for a name nobody registered.
const TPersistentFactory& FindClass(const std::string& name);
