// The typed writer and reader of the library's tagged binary archive. Every
// value starts with a tag byte; numbers are little-endian:
//   0 list end, 1 list start, 2/3/4 integer of 1/2/4 bytes, 5 float (80-bit
//   extended), 6 string with a 1-byte length, 8 false, 9 true, 12 string with
//   a 4-byte length, 18 UTF-16 string and 20 UTF-8 string (both read only).
// Reading checks every length against what the stream still holds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gfx3d/streams.h"
#include "gfx3d/vector_types.h"

enum TValueType : std::uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaFalse = 8,
  vaTrue = 9,
  vaLString = 12,
  vaWString = 18,
  vaUTF8String = 20,
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
