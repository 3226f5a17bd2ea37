// The base of mesh file formats and the process-wide registry that picks a
// format from a file name's extension.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/data_files.h"

class TGLBaseMesh;

enum TMeshNormalsOrientation : std::uint8_t { mnoDefault, mnoInvert };

class EInvalidVectorFile : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

class TVectorFile : public TDataFile {
 public:
  // The owner must be a mesh (an assertion failure otherwise).
  explicit TVectorFile(TPersistent* owner);
  std::string ClassName() const override { return "TVectorFile"; }
  TGLBaseMesh& Owner() const { return *owner_; }
  TMeshNormalsOrientation NormalsOrientation = mnoDefault;

 private:
  TGLBaseMesh* owner_;
};

using TVectorFileFactory = std::unique_ptr<TVectorFile> (*)(TPersistent* owner);

struct TVectorFileFormat {
  TVectorFileFactory VectorFileClass = nullptr;
  TDataFileCapabilities Capabilities = dfcRead;
  std::string Extension;  // lower case
  std::string Description;
  int DescResID = 0;
};

class TVectorFileFormatsList {
 public:
  // A repeated registration of the latest class under the same extension adds nothing.
  void Add(TVectorFileFormat format);
  // The latest registration of the extension (compared lower-cased), or null.
  const TVectorFileFormat* FindExtension(const std::string& extension) const;
  const std::vector<TVectorFileFormat>& Formats() const { return formats_; }

 private:
  std::vector<TVectorFileFormat> formats_;
};

TVectorFileFormatsList& GetVectorFileFormats();
std::string LowerCaseAscii(std::string text);

// Format names its class in kClassName, under which archives may name it too;
// made by name, it has no mesh and stops with the assertion failure of TVectorFile.
template <typename Format>
void RegisterMeshFileFormat(const std::string& extension, const std::string& description) {
  RegisterClass(Format::kClassName, [] { return std::make_unique<Format>(nullptr); });
  GetVectorFileFormats().Add(
      {[](TPersistent* owner) -> std::unique_ptr<TVectorFile> { return std::make_unique<Format>(owner); },
       Format::SupportedOperations(), LowerCaseAscii(extension), description, 0});
}

// The format registered for the file name's extension; EInvalidVectorFile when none.
const TVectorFileFormat& VectorFileFormatForExtension(const std::string& fileName);
