// Objects that write and read themselves through the typed writer and reader
// of the tagged binary archive. Each class level writes its own archive
// version (always 0) before its data; any other version read back raises
// EFilerException "<class> : unknown archive version <n>".
#pragma once

#include <memory>
#include <string>

#include "gfx3d/core/toolkit_objects.h"
#include "gfx3d/persistence/binary_filers.h"

class TPersistentObject : public TPersistent {
 public:
  TPersistentObject() = default;
  std::string ClassName() const override { return "TPersistentObject"; }

  // A new, empty object of the same class.
  virtual std::unique_ptr<TPersistentObject> CreateOfSameClass() const;
  // Bytes written raw before the archive and checked when reading; none in the base.
  virtual std::string StreamSignature() const { return {}; }
  static TVirtualWriterClass DefaultWriterClass() { return CreateBinaryWriter; }
  static TVirtualReaderClass DefaultReaderClass() { return CreateBinaryReader; }

  // An object of exactly the same class is copied through an archive; others as persistents.
  void Assign(const TPersistent* source) override;
  std::unique_ptr<TPersistentObject> Clone() const;

  // Subclasses call the inherited one first, then write or read their version and data.
  virtual void WriteToFiler(TVirtualWriter& writer) const;
  virtual void ReadFromFiler(TVirtualReader& reader);

  void SaveToStream(TStream& stream, TVirtualWriterClass writerClass = nullptr) const;
  void LoadFromStream(TStream& stream, TVirtualReaderClass readerClass = nullptr);
  void SaveToFile(const std::string& fileName, TVirtualWriterClass writerClass = nullptr) const;
  void LoadFromFile(const std::string& fileName, TVirtualReaderClass readerClass = nullptr);
  std::string SaveToString(TVirtualWriterClass writerClass = nullptr) const;
  void LoadFromString(const std::string& data, TVirtualReaderClass readerClass = nullptr);

  [[noreturn]] void RaiseVersionError(int version) const;
};

[[noreturn]] void RaiseVersionErrorForClass(const std::string& className, int version);
// Reads a class level's archive version; one outside 0..highest raises the version error.
int ReadArchiveVersion(TVirtualReader& reader, const std::string& className, int highest);

// Registers a persistent class under its class name, so archives can recreate it.
template <typename Class>
void RegisterPersistentClass() {
  RegisterClass(Class().ClassName(), [] { return std::make_unique<Class>(); });
}
