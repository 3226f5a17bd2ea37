// Byte streams the 3-D library reads and writes: the abstract stream with a
// position and a size, and the in-memory stream over a string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gfx3d/core/toolkit_objects.h"

class TStream : public TObject {
 public:
  std::string ClassName() const override { return "TStream"; }

  // Exactly count bytes; fewer left raises EReadError and leaves buffer undefined.
  void ReadBuffer(void* buffer, std::size_t count);
  virtual void WriteBuffer(const void* buffer, std::size_t count) = 0;
  virtual std::uint64_t Position() const = 0;
  virtual void SetPosition(std::uint64_t position) = 0;
  virtual std::uint64_t Size() const = 0;
  std::uint64_t Remaining() const { return Position() < Size() ? Size() - Position() : 0; }
  // Makes what was written permanent; file streams opened for creating need it.
  virtual void Commit() {}

 protected:
  // Up to count bytes; returns how many were read.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
};

// A stream over bytes held in memory.
class TStringStream : public TStream {
 public:
  TStringStream() = default;
  explicit TStringStream(std::string data) : data_(std::move(data)) {}
  std::string ClassName() const override { return "TStringStream"; }

  void WriteBuffer(const void* buffer, std::size_t count) override;
  std::uint64_t Position() const override { return position_; }
  void SetPosition(std::uint64_t position) override { position_ = position; }
  std::uint64_t Size() const override { return data_.size(); }
  const std::string& DataString() const { return data_; }

 protected:
  std::size_t Read(void* buffer, std::size_t count) override;

 private:
  std::string data_;
  std::uint64_t position_ = 0;
};
