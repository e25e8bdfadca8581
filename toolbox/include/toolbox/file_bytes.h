// Whole-file reads and crash-safe whole-file writes (Linux extras).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "toolbox/mac_types.h"

namespace toolbox {

// noErr, fnfErr when nothing is at path, notAFileErr when it is not a regular
// file (a folder, a device, a pipe: nothing with an end to read to), ioErr
// otherwise.
OSErr ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes);

// A reader's account of a ReadFileBytes error: "no such file", ...
const char* FileReadErrorText(OSErr err);

// A file written piece by piece that appears at path whole or not at all: the
// pieces go to a temporary file beside path, which Commit flushes and renames
// over path. Destroyed uncommitted, it removes the temporary file and leaves
// whatever was at path untouched.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // noErr, fnfErr when the directory is missing, ioErr otherwise.
  OSErr Open(const std::string& path);
  // False once any write has failed (later writes do nothing).
  bool Write(const void* data, std::size_t size);
  bool Write(std::string_view text) { return Write(text.data(), text.size()); }
  // noErr when everything written is now at path; ioErr otherwise.
  OSErr Commit();

 private:
  void Discard();
  std::string path_;
  std::string temporary_;
  int fd_ = -1;
  bool failed_ = false;
};

// Writes to a temporary file beside path, flushes it to disk and renames it
// over path: readers and a crash see the old file or the new one, never a
// mix. Keeps the permissions of a file it replaces. noErr, fnfErr when the
// directory is missing, ioErr otherwise.
OSErr WriteFileBytesAtomically(const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace toolbox
