// What the host knows about each loaded extension, by hostRef: its resource
// file and name (services 628, 629, 637) and the command keys it was given
// (service 630).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct ExtensionInfo {
  std::int16_t hostRef;
  std::string name;
  std::int16_t resourceFile;  // -1 when the bundle has none
};

void RegisterExtension(const ExtensionInfo& info);
void UnregisterExtension(std::int16_t hostRef);
const ExtensionInfo* FindExtension(std::int16_t hostRef);
void RenameExtension(std::int16_t hostRef, const std::string& name);
// Every registered extension, by hostRef.
std::vector<ExtensionInfo> RegisteredExtensions();

// Command keys: 1..32767, one per (hostRef, local id), stable for the run.
struct CommandKey {
  std::int16_t hostRef;
  std::uint16_t localId;
};
std::int16_t MapExtensionId(std::uint16_t localId, std::int16_t hostRef);
std::optional<CommandKey> LookUpCommandKey(std::int16_t key);

}  // namespace host
