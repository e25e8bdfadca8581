#include "host/extension_locals.h"

#include <algorithm>

#include "host/bundle.h"
#include "host/document.h"
#include "toolbox/memory.h"

namespace host {

ExtensionLocals::~ExtensionLocals() { CloseAll(); }

bool ExtensionLocals::Open(const Extension& extension) {
  if (extension.kind != vantor::kGeneralExtensionKind || Find(extension.hostRef) != nullptr) return false;
  ParamBlock block;
  ScopedCurrentDocument current(document_);
  const std::int32_t result = extension.Send(vantor::general::kNewLocalData, block);
  Handle local = toolbox::FromU32<Ptr>(static_cast<std::uint32_t>(result));
  if (local == nullptr) return false;
  open_.push_back(Entry{&extension, local});
  return true;
}

void ExtensionLocals::Close(std::int16_t hostRef) {
  const auto it = std::find_if(open_.begin(), open_.end(),
                               [hostRef](const Entry& e) { return e.extension->hostRef == hostRef; });
  if (it == open_.end()) return;
  const Entry closing = *it;
  open_.erase(it);
  ParamBlock block;
  block.SetLocal(closing.local);
  ScopedCurrentDocument current(document_);
  closing.extension->Send(vantor::general::kDisposeLocalData, block);
}

void ExtensionLocals::CloseAll() {
  while (!open_.empty()) Close(open_.back().extension->hostRef);
}

const Extension* ExtensionLocals::Find(std::int16_t hostRef) const {
  for (const Entry& e : open_) {
    if (e.extension->hostRef == hostRef) return e.extension;
  }
  return nullptr;
}

Handle ExtensionLocals::LocalOf(std::int16_t hostRef) const {
  for (const Entry& e : open_) {
    if (e.extension->hostRef == hostRef) return e.local;
  }
  return nullptr;
}

std::vector<std::int16_t> ExtensionLocals::OpenHostRefs() const {
  std::vector<std::int16_t> refs;
  for (const Entry& e : open_) refs.push_back(e.extension->hostRef);
  return refs;
}

void ExtensionLocals::SendMenuCommand(std::int16_t code, std::int16_t value, std::uint32_t data) {
  ScopedCurrentDocument current(document_);
  // An extension may close itself while handling the request.
  for (std::int16_t hostRef : OpenHostRefs()) {
    Handle local = LocalOf(hostRef);
    if (local == nullptr) continue;
    ParamBlock block;
    using F = vantor::general::DoMenuCommandBlock;
    block.SetLocal(local).Set<F::Command>(code).Set<F::Data>(data).Set<F::Value>(value);
    Find(hostRef)->Send(vantor::general::kDoMenuCommand, block);
  }
}

}  // namespace host
