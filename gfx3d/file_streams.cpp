#include "gfx3d/file_streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx3d/library_errors.h"

namespace {

[[noreturn]] void RaiseFileError(const std::string& what, const std::string& fileName) {
  throw EFOpenError(what + " " + fileName + ": " + std::strerror(errno));
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : fileName_(fileName) {
  if (mode == fmCreate) {
    std::vector<char> pattern(fileName.begin(), fileName.end());
    const char suffix[] = ".tmpXXXXXX";
    pattern.insert(pattern.end(), suffix, suffix + sizeof suffix);
    descriptor_ = ::mkstemp(pattern.data());
    if (descriptor_ < 0) RaiseFileError("Cannot create file", fileName);
    tempName_ = pattern.data();
    return;
  }
  descriptor_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor_ < 0) RaiseFileError("Cannot open file", fileName);
  struct stat status {};
  const bool readable = ::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode);
  if (!readable) {
    const int error = S_ISDIR(status.st_mode) ? EISDIR : errno;
    ::close(descriptor_);
    descriptor_ = -1;
    errno = error;
    RaiseFileError("Cannot open file", fileName);
  }
  size_ = static_cast<std::uint64_t>(status.st_size);
}

TFileStream::~TFileStream() {
  if (descriptor_ >= 0) ::close(descriptor_);
  if (!tempName_.empty()) std::remove(tempName_.c_str());  // never committed: the target stays as it was
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n =
        ::pread(descriptor_, static_cast<char*>(buffer) + done, count - done, static_cast<off_t>(position_ + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  position_ += done;
  return done;
}

void TFileStream::WriteBuffer(const void* buffer, std::size_t count) {
  if (tempName_.empty()) throw EFOpenError("Stream write error " + fileName_ + ": opened for reading");
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pwrite(descriptor_, static_cast<const char*>(buffer) + done, count - done,
                               static_cast<off_t>(position_ + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) RaiseFileError("Stream write error", fileName_);
    done += static_cast<std::size_t>(n);
  }
  position_ += done;
  if (position_ > size_) size_ = position_;
}

void TFileStream::Commit() {
  if (tempName_.empty()) return;
  if (::fsync(descriptor_) != 0) RaiseFileError("Stream write error", fileName_);
  // A new file gets the usual permissions instead of mkstemp's private ones.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(descriptor_, 0666 & ~mask);
  if (::rename(tempName_.c_str(), fileName_.c_str()) != 0) RaiseFileError("Cannot write file", fileName_);
  tempName_.clear();
}
