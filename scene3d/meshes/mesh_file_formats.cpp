#include "scene3d/meshes/mesh_file_formats.h"

#include <algorithm>

#include "scene3d/meshes/base_mesh.h"

namespace {

constexpr const char* kUnit = "GLVectorFileObjects";

// The text after the last dot of the name part, empty when there is none.
std::string ExtensionWithoutDot(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos || dot < nameStart) return {};
  return fileName.substr(dot + 1);
}

std::string UpperCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace

TVectorFile::TVectorFile(TPersistent* owner) : TDataFile(owner), owner_(dynamic_cast<TGLBaseMesh*>(owner)) {
  Assert(owner_ != nullptr, kUnit, __LINE__);
}

std::string LowerCaseAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

void TVectorFileFormatsList::Add(TVectorFileFormat format) {
  const TVectorFileFormat* latest = FindExtension(format.Extension);
  if (latest && latest->VectorFileClass == format.VectorFileClass) return;
  formats_.push_back(std::move(format));
}

const TVectorFileFormat* TVectorFileFormatsList::FindExtension(const std::string& extension) const {
  const std::string wanted = LowerCaseAscii(extension);
  const auto found = std::find_if(formats_.rbegin(), formats_.rend(),
                                  [&](const TVectorFileFormat& format) { return format.Extension == wanted; });
  return found == formats_.rend() ? nullptr : &*found;
}

TVectorFileFormatsList& GetVectorFileFormats() {
  static TVectorFileFormatsList formats;
  return formats;
}

const TVectorFileFormat& VectorFileFormatForExtension(const std::string& fileName) {
  const std::string extension = ExtensionWithoutDot(fileName);
  if (const TVectorFileFormat* format = GetVectorFileFormats().FindExtension(extension)) return *format;
  throw EInvalidVectorFile("Unknown file extension (" + extension +
                           "), maybe you forgot to add the support unit to your uses? (GLFile" +
                           UpperCaseAscii(extension) + "?)");
}
