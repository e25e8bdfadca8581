// Services an extension uses about itself (628, 629, 630, 637).
//
// Begin/End extension resources nest: each Begin makes the extension's own
// resource file current and remembers the previous one; End restores it.
// An End without its Begin, or for another extension, is ignored rather than
// left to corrupt the chain.
#include <vector>

#include "host/extension_registry.h"
#include "host/host_context.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "toolbox/resources.h"
#include "vantor/services.h"

namespace host {
namespace {

struct SavedResFile {
  std::int16_t hostRef;
  std::int16_t previous;
};

struct SavedResFiles {
  std::vector<SavedResFile> stack;
};

std::vector<SavedResFile>& ResourceStack() { return SessionState<SavedResFiles>().stack; }

void BeginExtensionResourcesService(std::int16_t hostRef) {
  const ExtensionInfo* info = FindExtension(hostRef);
  ResourceStack().push_back(SavedResFile{hostRef, CurResFile()});
  if (info != nullptr && info->resourceFile > 0) UseResFile(info->resourceFile);
}

void EndExtensionResourcesService(std::int16_t hostRef) {
  auto& stack = ResourceStack();
  if (stack.empty() || stack.back().hostRef != hostRef) return;
  UseResFile(stack.back().previous);
  stack.pop_back();
}

std::int16_t MapExtensionIdService(std::uint16_t localId, std::int16_t hostRef) {
  return MapExtensionId(localId, hostRef);
}

void GetExtensionNameService(std::int16_t hostRef, Str255* nameOut) {
  const ExtensionInfo* info = FindExtension(hostRef);
  toolbox::StorePascalText(*nameOut, sizeof(Str255), info != nullptr ? info->name : std::string());
}

}  // namespace

void InstallExtensionServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostBeginExtensionResources>(table, &BeginExtensionResourcesService);
  vantor::SetService<HostEndExtensionResources>(table, &EndExtensionResourcesService);
  vantor::SetService<HostMapExtensionId>(table, &MapExtensionIdService);
  vantor::SetService<HostGetExtensionName>(table, &GetExtensionNameService);
}

}  // namespace host
