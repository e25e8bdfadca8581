// Whole-file I/O on POSIX descriptors (fsync and rename give the atomic write).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "toolbox/file_bytes.h"

namespace toolbox {
namespace {

OSErr ErrorFromErrno(int error) { return error == ENOENT || error == ENOTDIR ? fnfErr : ioErr; }

// A file being replaced keeps its mode; a new one gets rw-r--r--.
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  return ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
}

}  // namespace

OSErr ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrorFromErrno(errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return notAFileErr;
  }
  std::vector<unsigned char> content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  unsigned char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return ioErr;
    }
    if (n == 0) break;
    content.insert(content.end(), buffer, buffer + n);
  }
  ::close(fd);
  bytes = std::move(content);
  return noErr;
}

const char* FileReadErrorText(OSErr err) {
  switch (err) {
    case fnfErr:
      return "no such file";
    case notAFileErr:
      return "not a regular file";
    default:
      return "cannot be read";
  }
}

OSErr WriteFileBytesAtomically(const std::string& path, const std::vector<unsigned char>& bytes) {
  AtomicFileWriter writer;
  if (const OSErr err = writer.Open(path); err != noErr) return err;
  writer.Write(bytes.data(), bytes.size());
  return writer.Commit();
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

OSErr AtomicFileWriter::Open(const std::string& path) {
  Discard();
  path_ = path;
  temporary_ = path + ".XXXXXX";
  fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    temporary_.clear();
    return ErrorFromErrno(errno);
  }
  failed_ = ::fchmod(fd_, ModeFor(path)) != 0;
  return failed_ ? ioErr : noErr;
}

bool AtomicFileWriter::Write(const void* data, std::size_t size) {
  if (fd_ < 0 || failed_) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return !(failed_ = true);
    done += static_cast<std::size_t>(n);
  }
  return true;
}

OSErr AtomicFileWriter::Commit() {
  if (fd_ < 0) return ioErr;
  const bool flushed = !failed_ && ::fsync(fd_) == 0;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!flushed || !closed || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
    Discard();
    return ioErr;
  }
  temporary_.clear();
  return noErr;
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  failed_ = false;
}

}  // namespace toolbox
