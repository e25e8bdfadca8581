#include "host/extension_registry.h"

#include <map>
#include <vector>

#include "host/host_context.h"

namespace host {
namespace {

struct Registry {
  std::map<std::int16_t, ExtensionInfo> extensions;
  std::vector<CommandKey> keys;  // index k holds key k + 1
};

std::map<std::int16_t, ExtensionInfo>& Extensions() { return ProcessState<Registry>().extensions; }

std::vector<CommandKey>& Keys() { return ProcessState<Registry>().keys; }

constexpr std::size_t kMaxKeys = 32767;

}  // namespace

void RegisterExtension(const ExtensionInfo& info) { Extensions()[info.hostRef] = info; }
void UnregisterExtension(std::int16_t hostRef) { Extensions().erase(hostRef); }

const ExtensionInfo* FindExtension(std::int16_t hostRef) {
  auto it = Extensions().find(hostRef);
  return it == Extensions().end() ? nullptr : &it->second;
}

void RenameExtension(std::int16_t hostRef, const std::string& name) {
  auto it = Extensions().find(hostRef);
  if (it != Extensions().end()) it->second.name = name;
}

std::vector<ExtensionInfo> RegisteredExtensions() {
  std::vector<ExtensionInfo> all;
  for (const auto& [hostRef, info] : Extensions()) all.push_back(info);
  return all;
}

std::int16_t MapExtensionId(std::uint16_t localId, std::int16_t hostRef) {
  auto& keys = Keys();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].hostRef == hostRef && keys[i].localId == localId) {
      return static_cast<std::int16_t>(i + 1);
    }
  }
  if (keys.size() >= kMaxKeys) return 0;  // no key left: commands under 0 are dropped
  keys.push_back(CommandKey{hostRef, localId});
  return static_cast<std::int16_t>(keys.size());
}

std::optional<CommandKey> LookUpCommandKey(std::int16_t key) {
  const auto& keys = Keys();
  if (key < 1 || static_cast<std::size_t>(key) > keys.size()) return std::nullopt;
  return keys[static_cast<std::size_t>(key) - 1];
}

}  // namespace host
