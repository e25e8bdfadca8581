// Running a computed function's settings dialog from a script of user
// actions, as a user at a screen would, and reading back what it stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/document.h"

namespace cli {

// The document must be current. True when the user's OK was accepted.
bool RunSettingsDialog(host::Document& document, int channel, const std::string& script);

// The channel's settings record (hung at offset 8 of its local record);
// empty when it has none.
std::vector<unsigned char> SettingsRecordOf(const host::Document& document, int channel);

// The document is current and alerts are kept, not printed, while it lives.
class QuietDocument {
 public:
  explicit QuietDocument(host::Document& document);
  ~QuietDocument();
  QuietDocument(const QuietDocument&) = delete;
  QuietDocument& operator=(const QuietDocument&) = delete;
  // The first alert shown, or empty.
  static std::string FirstAlert();
};

}  // namespace cli
