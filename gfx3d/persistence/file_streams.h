// A stream on a file. Opened for reading it reads the file in place; opened
// for creating it writes a temporary file beside the target, which replaces
// the target only on Commit, so a failed save leaves the old file intact. A
// file the user made read-only is never replaced.
#pragma once

#include <cstdint>
#include <string>

#include "gfx3d/persistence/streams.h"

// Open modes as the library's callers give them.
inline constexpr std::uint16_t fmCreate = 0xFFFF;
inline constexpr std::uint16_t fmOpenRead = 0x0000;
inline constexpr std::uint16_t fmShareDenyWrite = 0x0020;
inline constexpr std::uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
 public:
  // Raises EFOpenError when the file cannot be opened or created.
  TFileStream(const std::string& fileName, std::uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  std::string ClassName() const override { return "TFileStream"; }

  void WriteBuffer(const void* buffer, std::size_t count) override;
  std::uint64_t Position() const override { return position_; }
  void SetPosition(std::uint64_t position) override { position_ = position; }
  std::uint64_t Size() const override { return size_; }
  // Flushes the written bytes to disk and renames them over the target.
  void Commit() override;

 protected:
  std::size_t Read(void* buffer, std::size_t count) override;

 private:
  void CreateTemporary();
  void OpenExisting();

  std::string fileName_;
  std::string tempName_;  // empty when reading
  int descriptor_ = -1;
  std::uint64_t position_ = 0;
  std::uint64_t size_ = 0;
};
