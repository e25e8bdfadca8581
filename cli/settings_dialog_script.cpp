#include "settings_dialog_script.h"

#include <cstring>

#include "host/alerts.h"
#include "host/computed_channels.h"
#include "toolbox/memory.h"
#include "toolbox/script.h"

namespace cli {

bool RunSettingsDialog(host::Document& document, int channel, const std::string& script) {
  toolbox::ClearScript();
  std::string problem;
  if (!toolbox::QueueScriptText(script, &problem)) return false;
  const bool accepted = document.computed().EditSettings(channel);
  toolbox::ClearScript();
  return accepted;
}

std::vector<unsigned char> SettingsRecordOf(const host::Document& document, int channel) {
  constexpr std::size_t kSettingsHandleAt = 8;
  const Handle local = document.computed().LocalOf(channel);
  if (local == nullptr || GetHandleSize(local) < static_cast<Size>(kSettingsHandleAt + sizeof(Handle))) return {};
  Handle settings = nullptr;
  std::memcpy(&settings, *local + kSettingsHandleAt, sizeof settings);
  if (settings == nullptr) return {};
  const auto size = static_cast<std::size_t>(GetHandleSize(settings));
  std::vector<unsigned char> bytes(size);
  std::memcpy(bytes.data(), *settings, size);
  return bytes;
}

QuietDocument::QuietDocument(host::Document& document) {
  host::SetCurrentDocument(&document);
  host::SetAlertsQuiet(true);
  host::ClearAlerts();
}

QuietDocument::~QuietDocument() {
  host::SetAlertsQuiet(false);
  host::SetCurrentDocument(nullptr);
}

std::string QuietDocument::FirstAlert() {
  return host::Alerts().empty() ? std::string() : host::Alerts().front().text;
}

}  // namespace cli
