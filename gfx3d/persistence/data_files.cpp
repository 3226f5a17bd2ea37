#include "gfx3d/persistence/data_files.h"

#include <filesystem>

#include "gfx3d/core/library_errors.h"

namespace {

// The part after the last folder separator; names from older files may use "\" or ":".
std::string BareFileName(const std::string& fileName) {
  const auto separator = fileName.find_last_of("/\\:");
  return separator == std::string::npos ? fileName : fileName.substr(separator + 1);
}

}  // namespace

std::unique_ptr<TStream> OpenFileStream(const std::string& fileName, std::uint16_t mode) {
  if (mode != fmCreate && !FileExistsViaHooks(fileName)) throw ELibraryError("File not found: \"" + fileName + "\"");
  return std::make_unique<TFileStream>(fileName, mode);
}

bool FileExistsViaHooks(const std::string& fileName) {
  std::error_code ignored;
  return std::filesystem::exists(fileName, ignored);
}

void TDataFile::LoadFromFile(const std::string& fileName) {
  resourceName_ = BareFileName(fileName);
  auto stream = OpenFileStream(fileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(*stream);
}

void TDataFile::SaveToFile(const std::string& fileName) {
  resourceName_ = BareFileName(fileName);
  auto stream = OpenFileStream(fileName, fmCreate);
  SaveToStream(*stream);
  stream->Commit();
}

void TDataFile::SaveToStream(TStream& stream) {
  Assert(false, "Source/Base/ApplicationFileIO", 0,
         "Export for " + ClassName() + " to " + stream.ClassName() + " not available.");
}
