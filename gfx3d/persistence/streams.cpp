#include "gfx3d/persistence/streams.h"

#include <algorithm>
#include <cstring>

#include "gfx3d/core/library_errors.h"

void TStream::ReadBuffer(void* buffer, std::size_t count) {
  if (count > Remaining() || Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStringStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (count == 0) return;
  const auto end = static_cast<std::size_t>(position_) + count;
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + position_, buffer, count);
  position_ = end;
}

std::size_t TStringStream::Read(void* buffer, std::size_t count) {
  const auto available = static_cast<std::size_t>(Remaining());
  const std::size_t n = std::min(count, available);
  if (n != 0) std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}
