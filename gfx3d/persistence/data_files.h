// The one place where the 3-D library opens files, and the base of its file
// formats. Paths are used as given ("/" separated, case-sensitive).
#pragma once

#include <memory>
#include <string>

#include "gfx3d/core/toolkit_objects.h"
#include "gfx3d/persistence/file_streams.h"

// A stream on the file; except for fmCreate, a missing file raises
// ELibraryError 'File not found: "<name>"'.
std::unique_ptr<TStream> OpenFileStream(const std::string& fileName, std::uint16_t mode);
bool FileExistsViaHooks(const std::string& fileName);

// Capabilities of a file format: bit 0 read, bit 1 write.
enum TDataFileCapability : unsigned { dfcRead = 1, dfcWrite = 2 };
using TDataFileCapabilities = unsigned;

class TDataFile : public TPersistent {
 public:
  explicit TDataFile(TPersistent* owner) : owner_(owner) {}
  std::string ClassName() const override { return "TDataFile"; }
  static TDataFileCapabilities SupportedOperations() { return dfcRead; }

  TPersistent* GetOwner() const override { return owner_; }
  virtual std::unique_ptr<TDataFile> NewOfSameClass(TPersistent* owner) const = 0;
  // The name without its folder of the last file loaded or saved by this object,
  // or the name its user gave when the user opened the file.
  const std::string& ResourceName() const { return resourceName_; }
  void SetResourceName(const std::string& value) { resourceName_ = value; }

  void LoadFromFile(const std::string& fileName);
  // The file is replaced only when the whole content was written.
  void SaveToFile(const std::string& fileName);
  virtual void LoadFromStream(TStream& stream) = 0;
  // The base cannot export: an assertion failure naming both classes.
  virtual void SaveToStream(TStream& stream);

 private:
  TPersistent* owner_;
  std::string resourceName_;
};
