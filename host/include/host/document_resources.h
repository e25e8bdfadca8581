// A document's own resource file, kept in memory and saved with the document:
// where extensions store their settings for the document ("Resp Settings").
// The host makes it current while it asks extensions to save or load their
// settings (DoMenuCommand 200 and 203), never the bundle's own file.
#pragma once

#include <cstdint>
#include <vector>

#include "host/document.h"

namespace host {

class DocumentResources {
 public:
  DocumentResources() = default;
  ~DocumentResources();
  DocumentResources(const DocumentResources&) = delete;
  DocumentResources& operator=(const DocumentResources&) = delete;

  // The file's reference number, made empty on first use; 0 when it cannot be
  // made (out of memory).
  std::int16_t refNum();
  // The file's bytes with every change written.
  std::vector<unsigned char> Bytes();
  // Replaces the file by one read back from a saved document; false when the
  // bytes are not a resource file.
  bool Replace(const std::vector<unsigned char>& bytes);

 private:
  std::int16_t refNum_ = 0;
};

// DoMenuCommand 200 (save) or 203 (load) to the document's window
// extensions, with the document's resource file current.
void SendSettingsRequest(Document& document, std::int16_t request);
inline constexpr std::int16_t kSaveSettingsRequest = 200;
inline constexpr std::int16_t kLoadSettingsRequest = 203;

}  // namespace host
