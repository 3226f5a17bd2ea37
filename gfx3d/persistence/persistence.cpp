#include "gfx3d/persistence/persistence.h"

#include <typeinfo>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/data_files.h"

std::unique_ptr<TPersistentObject> TPersistentObject::CreateOfSameClass() const {
  return std::make_unique<TPersistentObject>();
}

void TPersistentObject::Assign(const TPersistent* source) {
  if (source && typeid(*source) == typeid(*this)) {
    TStringStream buffer;
    static_cast<const TPersistentObject*>(source)->SaveToStream(buffer);
    buffer.SetPosition(0);
    LoadFromStream(buffer);
    return;
  }
  TPersistent::Assign(source);
}

std::unique_ptr<TPersistentObject> TPersistentObject::Clone() const {
  auto copy = CreateOfSameClass();
  copy->Assign(this);
  return copy;
}

void TPersistentObject::WriteToFiler(TVirtualWriter&) const {}
void TPersistentObject::ReadFromFiler(TVirtualReader&) {}

void TPersistentObject::SaveToStream(TStream& stream, TVirtualWriterClass writerClass) const {
  auto writer = (writerClass ? writerClass : CreateBinaryWriter)(stream);
  const std::string signature = StreamSignature();
  if (!signature.empty()) writer->Write(signature.data(), signature.size());
  WriteToFiler(*writer);
}

void TPersistentObject::LoadFromStream(TStream& stream, TVirtualReaderClass readerClass) {
  auto reader = (readerClass ? readerClass : CreateBinaryReader)(stream);
  const std::string signature = StreamSignature();
  if (!signature.empty()) {
    // A stream too short to hold the signature does not carry it, whatever the signature's bytes.
    std::string found(signature.size(), '\0');
    const bool complete = stream.Remaining() >= found.size();
    if (complete) reader->Read(found.data(), found.size());
    if (!complete || found != signature) throw EInvalidFileSignature("Invalid file signature");
  }
  ReadFromFiler(*reader);
}

void TPersistentObject::SaveToFile(const std::string& fileName, TVirtualWriterClass writerClass) const {
  auto stream = OpenFileStream(fileName, fmCreate);
  SaveToStream(*stream, writerClass ? writerClass : DefaultWriterClass());
  stream->Commit();
}

void TPersistentObject::LoadFromFile(const std::string& fileName, TVirtualReaderClass readerClass) {
  auto stream = OpenFileStream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(*stream, readerClass ? readerClass : DefaultReaderClass());
}

std::string TPersistentObject::SaveToString(TVirtualWriterClass writerClass) const {
  TStringStream stream;
  SaveToStream(stream, writerClass);
  return stream.DataString();
}

void TPersistentObject::LoadFromString(const std::string& data, TVirtualReaderClass readerClass) {
  TStringStream stream(data);
  LoadFromStream(stream, readerClass);
}

void TPersistentObject::RaiseVersionError(int version) const { RaiseVersionErrorForClass(ClassName(), version); }

void RaiseVersionErrorForClass(const std::string& className, int version) {
  throw EFilerException(className + " : unknown archive version " + std::to_string(version));
}

int ReadArchiveVersion(TVirtualReader& reader, const std::string& className, int highest) {
  const int version = reader.ReadInteger();
  if (version < 0 || version > highest) RaiseVersionErrorForClass(className, version);
  return version;
}
