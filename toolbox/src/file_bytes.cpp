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

bool WriteAll(int fd, const std::vector<unsigned char>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A file being replaced keeps its mode; a new one gets rw-r--r--.
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  return ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
}

}  // namespace

OSErr ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErrorFromErrno(errno);
  std::vector<unsigned char> content;
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

OSErr WriteFileBytesAtomically(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return ErrorFromErrno(errno);
  const bool written = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return ioErr;
  }
  return noErr;
}

}  // namespace toolbox
