// The typed writer and reader of the library's tagged binary archive. Every
// value starts with a tag byte (TValueType) and its body follows; numbers are
// little-endian. Reading checks every length against what the stream still holds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gfx3d/math/vector_types.h"
#include "gfx3d/persistence/streams.h"

enum TValueType : std::uint8_t {
  vaNull = 0,         // list end, no body
  vaList = 1,         // list start, no body
  vaInt8 = 2,         // 1-byte two's complement integer
  vaInt16 = 3,        // 2-byte integer
  vaInt32 = 4,        // 4-byte integer
  vaExtended = 5,     // 10-byte 80-bit extended float
  vaString = 6,       // 1-byte length, then the bytes
  vaFalse = 8,        // no body
  vaTrue = 9,         // no body
  vaLString = 12,     // 4-byte length, then the bytes
  vaWString = 18,     // 4-byte count of UTF-16 code units, then the units (read only)
  vaUTF8String = 20,  // 4-byte length, then UTF-8 bytes (read only)
};

class TVirtualReader : public TObject {
 public:
  explicit TVirtualReader(TStream& stream) : stream_(stream) {}
  std::string ClassName() const override { return "TVirtualReader"; }
  TStream& Stream() const { return stream_; }

  // Raw bytes, no tag.
  virtual void Read(void* buffer, std::size_t count) = 0;
  // The next tag, not consumed.
  virtual int PeekValueType() = 0;
  virtual std::int32_t ReadInteger() = 0;
  virtual bool ReadBoolean() = 0;
  virtual std::string ReadString() = 0;
  virtual Extended ReadFloat() = 0;
  virtual void ReadListStart() = 0;
  virtual void ReadListStop() = 0;
  virtual bool AtListEnd() = 0;
  // "<reader class>, read type error".
  [[noreturn]] void RaiseTypeError() const;

 private:
  TStream& stream_;
};

class TVirtualWriter : public TObject {
 public:
  explicit TVirtualWriter(TStream& stream) : stream_(stream) {}
  std::string ClassName() const override { return "TVirtualWriter"; }
  TStream& Stream() const { return stream_; }

  virtual void Write(const void* buffer, std::size_t count) = 0;
  virtual void WriteInteger(std::int32_t value) = 0;
  virtual void WriteBoolean(bool value) = 0;
  virtual void WriteString(const std::string& value) = 0;
  virtual void WriteFloat(Extended value) = 0;
  virtual void WriteListStart() = 0;
  virtual void WriteListStop() = 0;

 private:
  TStream& stream_;
};

class TBinaryReader : public TVirtualReader {
 public:
  using TVirtualReader::TVirtualReader;
  std::string ClassName() const override { return "TBinaryReader"; }

  void Read(void* buffer, std::size_t count) override;
  int PeekValueType() override;
  std::int32_t ReadInteger() override;
  bool ReadBoolean() override;
  // UTF-16 and UTF-8 values come back as UTF-8, the program's character set.
  std::string ReadString() override;
  Extended ReadFloat() override;
  void ReadListStart() override;
  void ReadListStop() override;
  bool AtListEnd() override;

 private:
  std::uint8_t ReadValueType();
  std::uint32_t ReadLength(std::size_t unitSize);
  std::string ReadBytes(std::size_t count);
  std::u16string ReadWideString(std::uint8_t tag);
};

class TBinaryWriter : public TVirtualWriter {
 public:
  using TVirtualWriter::TVirtualWriter;
  std::string ClassName() const override { return "TBinaryWriter"; }

  void Write(const void* buffer, std::size_t count) override;
  // The smallest of the three integer forms.
  void WriteInteger(std::int32_t value) override;
  void WriteBoolean(bool value) override;
  // Up to 255 bytes with a 1-byte length, longer with a 4-byte length.
  void WriteString(const std::string& value) override;
  void WriteFloat(Extended value) override;
  void WriteListStart() override;
  void WriteListStop() override;

 private:
  void WriteTag(TValueType tag);
};

using TVirtualReaderClass = std::unique_ptr<TVirtualReader> (*)(TStream&);
using TVirtualWriterClass = std::unique_ptr<TVirtualWriter> (*)(TStream&);
std::unique_ptr<TVirtualReader> CreateBinaryReader(TStream& stream);
std::unique_ptr<TVirtualWriter> CreateBinaryWriter(TStream& stream);
