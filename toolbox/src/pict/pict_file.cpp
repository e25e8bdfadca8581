// PICT files: a picture behind a 512-byte header that belongs to the
// application that wrote it; zeros say nothing.
#include <cstring>

#include "toolbox/file_bytes.h"
#include "toolbox/pict.h"

namespace toolbox {

constexpr std::size_t kPictFileHeaderBytes = 512;

OSErr WritePictFile(const std::string& path, std::span<const unsigned char> picture) {
  if (!ReadPict(picture)) return paramErr;
  std::vector<unsigned char> bytes(kPictFileHeaderBytes + picture.size(), 0);
  std::memcpy(bytes.data() + kPictFileHeaderBytes, picture.data(), picture.size());
  return WriteFileBytesAtomically(path, bytes);
}

}  // namespace toolbox
