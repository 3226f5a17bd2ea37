#include "gfx3d/persistence/file_streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "gfx3d/core/library_errors.h"

namespace {

[[noreturn]] void RaiseFileError(const std::string& what, const std::string& fileName, int error = errno) {
  throw EFOpenError(what + " " + fileName + ": " + std::strerror(error));
}

// The process's file creation mask, read from /proc: umask() can only be read
// by changing it, which would race with files other threads are creating.
mode_t ProcessUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  return 022;  // kernels before 4.7 do not report it; the usual mask
}

// mkstemp's file is private: a save takes the permissions of the file it
// replaces, or the usual ones for a new file.
mode_t SavedFileMode(const std::string& fileName) {
  struct stat replaced {};
  if (::stat(fileName.c_str(), &replaced) == 0) return replaced.st_mode & 07777;
  return 0666 & ~ProcessUmask();
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : fileName_(fileName) {
  if (mode == fmCreate)
    CreateTemporary();
  else
    OpenExisting();
}

void TFileStream::CreateTemporary() {
  // A file the user marked read-only stays as it is, even where the folder would let us replace it.
  struct stat existing {};
  if (::stat(fileName_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) && !(existing.st_mode & S_IWUSR))
    throw EFOpenError("Cannot create file " + fileName_ + ": the file is read-only");
  std::vector<char> pattern(fileName_.begin(), fileName_.end());
  const char suffix[] = ".tmpXXXXXX";
  pattern.insert(pattern.end(), suffix, suffix + sizeof suffix);
  descriptor_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (descriptor_ < 0) RaiseFileError("Cannot create file", fileName_);
  tempName_ = pattern.data();
}

void TFileStream::OpenExisting() {
  descriptor_ = ::open(fileName_.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor_ < 0) RaiseFileError("Cannot open file", fileName_);
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
    const int error = S_ISDIR(status.st_mode) ? EISDIR : errno;
    ::close(descriptor_);
    descriptor_ = -1;
    RaiseFileError("Cannot open file", fileName_, error);
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
  if (descriptor_ < 0 || tempName_.empty())
    throw EFOpenError("Stream write error " + fileName_ + ": not open for writing");
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
  int error = 0;
  if (::fchmod(descriptor_, SavedFileMode(fileName_)) != 0 || ::fsync(descriptor_) != 0) error = errno;
  if (::close(descriptor_) != 0 && error == 0) error = errno;
  descriptor_ = -1;
  if (error == 0 && ::rename(tempName_.c_str(), fileName_.c_str()) != 0) error = errno;
  if (error != 0) RaiseFileError("Cannot write file", fileName_, error);
  tempName_.clear();
}
