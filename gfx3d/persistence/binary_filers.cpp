#include "gfx3d/persistence/binary_filers.h"

#include "gfx3d/core/library_errors.h"
#include "gfx3d/persistence/archive_encodings.h"

namespace {

template <typename Integer>
Integer ReadLittleEndian(TStream& stream) {
  std::uint8_t bytes[sizeof(Integer)];
  stream.ReadBuffer(bytes, sizeof bytes);
  std::uint32_t value = 0;
  for (std::size_t i = sizeof bytes; i-- > 0;) value = (value << 8) | bytes[i];
  return static_cast<Integer>(value);
}

template <typename Integer>
void WriteLittleEndian(TStream& stream, Integer value) {
  std::uint8_t bytes[sizeof(Integer)];
  auto bits = static_cast<std::uint32_t>(value);
  for (auto& byte : bytes) {
    byte = static_cast<std::uint8_t>(bits);
    bits >>= 8;
  }
  stream.WriteBuffer(bytes, sizeof bytes);
}

}  // namespace

void TVirtualReader::RaiseTypeError() const { throw EReadError(ClassName() + ", read type error"); }

std::unique_ptr<TVirtualReader> CreateBinaryReader(TStream& stream) { return std::make_unique<TBinaryReader>(stream); }
std::unique_ptr<TVirtualWriter> CreateBinaryWriter(TStream& stream) { return std::make_unique<TBinaryWriter>(stream); }

void TBinaryReader::Read(void* buffer, std::size_t count) { Stream().ReadBuffer(buffer, count); }

std::uint8_t TBinaryReader::ReadValueType() { return ReadLittleEndian<std::uint8_t>(Stream()); }

int TBinaryReader::PeekValueType() {
  const std::uint64_t position = Stream().Position();
  const std::uint8_t tag = ReadValueType();
  Stream().SetPosition(position);
  return tag;
}

std::int32_t TBinaryReader::ReadInteger() {
  switch (ReadValueType()) {
    case vaInt8:
      return ReadLittleEndian<std::int8_t>(Stream());
    case vaInt16:
      return ReadLittleEndian<std::int16_t>(Stream());
    case vaInt32:
      return ReadLittleEndian<std::int32_t>(Stream());
    default:
      RaiseTypeError();
  }
}

bool TBinaryReader::ReadBoolean() {
  switch (ReadValueType()) {
    case vaFalse:
      return false;
    case vaTrue:
      return true;
    default:
      RaiseTypeError();
  }
}

// A 4-byte length of units of the given size, refused when the stream cannot hold them.
std::uint32_t TBinaryReader::ReadLength(std::size_t unitSize) {
  const auto length = ReadLittleEndian<std::uint32_t>(Stream());
  if (static_cast<std::uint64_t>(length) * unitSize > Stream().Remaining()) throw EReadError("Stream read error");
  return length;
}

std::string TBinaryReader::ReadBytes(std::size_t count) {
  std::string bytes(count, '\0');
  Read(bytes.data(), count);
  return bytes;
}

std::u16string TBinaryReader::ReadWideString(std::uint8_t tag) {
  if (tag == vaUTF8String) return Utf8ToWideString(ReadBytes(ReadLength(1)));
  std::u16string units(ReadLength(2), u'\0');
  for (char16_t& unit : units) unit = ReadLittleEndian<std::uint16_t>(Stream());
  return units;
}

std::string TBinaryReader::ReadString() {
  const std::uint8_t tag = ReadValueType();
  switch (tag) {
    case vaString:
      return ReadBytes(ReadLittleEndian<std::uint8_t>(Stream()));
    case vaLString:
      return ReadBytes(ReadLength(1));
    case vaWString:
    case vaUTF8String:
      return WideStringToUtf8(ReadWideString(tag));
    default:
      RaiseTypeError();
  }
}

Extended TBinaryReader::ReadFloat() {
  if (ReadValueType() != vaExtended) RaiseTypeError();
  std::array<std::uint8_t, 10> bytes;
  Read(bytes.data(), bytes.size());
  return DecodeExtended(bytes);
}

void TBinaryReader::ReadListStart() {
  if (ReadValueType() != vaList) RaiseTypeError();
}

void TBinaryReader::ReadListStop() {
  if (ReadValueType() != vaNull) RaiseTypeError();
}

bool TBinaryReader::AtListEnd() { return PeekValueType() == vaNull; }

void TBinaryWriter::Write(const void* buffer, std::size_t count) { Stream().WriteBuffer(buffer, count); }

void TBinaryWriter::WriteTag(TValueType tag) { WriteLittleEndian<std::uint8_t>(Stream(), tag); }

void TBinaryWriter::WriteInteger(std::int32_t value) {
  if (value >= -128 && value < 128) {
    WriteTag(vaInt8);
    WriteLittleEndian(Stream(), static_cast<std::int8_t>(value));
  } else if (value >= -32768 && value < 32768) {
    WriteTag(vaInt16);
    WriteLittleEndian(Stream(), static_cast<std::int16_t>(value));
  } else {
    WriteTag(vaInt32);
    WriteLittleEndian(Stream(), value);
  }
}

void TBinaryWriter::WriteBoolean(bool value) { WriteTag(value ? vaTrue : vaFalse); }

void TBinaryWriter::WriteString(const std::string& value) {
  if (value.size() <= 255) {
    WriteTag(vaString);
    WriteLittleEndian(Stream(), static_cast<std::uint8_t>(value.size()));
  } else {
    WriteTag(vaLString);
    WriteLittleEndian(Stream(), static_cast<std::uint32_t>(value.size()));
  }
  Write(value.data(), value.size());
}

void TBinaryWriter::WriteFloat(Extended value) {
  WriteTag(vaExtended);
  const auto bytes = EncodeExtended(value);
  Write(bytes.data(), bytes.size());
}

void TBinaryWriter::WriteListStart() { WriteTag(vaList); }
void TBinaryWriter::WriteListStop() { WriteTag(vaNull); }
