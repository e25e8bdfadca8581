// Making a dialog (78) and one step of its modal loop (79).
//
// 78 builds the dialog from the current resource chain (the extension
// brackets the call with its own resources) in front of every window; a
// missing or damaged DLOG/DITL gives null. 79 runs one step: the user's next
// action comes from the script queue, is offered to the filter (the
// reference HostQueryValue(205) hands out, or the extension's own), and the
// item it hits is written back; with no action left the answer is Cancel.
#include "host/service_table.h"
#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/windows.h"
#include "vantor/services.h"

namespace host {
namespace {

void* GetNewDialogService(std::int16_t dialogId) {
  return GetNewDialog(dialogId, nullptr, kWindowInFront);
}

void ModalDialogService(vantor::HostProcedure filter, std::int16_t* itemHit) {
  if (itemHit == nullptr) return;
  DialogItemIndex hit = 0;
  ModalDialog(toolbox::FromU32<OpaqueModalFilterUPP>(filter), &hit);
  *itemHit = hit;
}

}  // namespace

void InstallModalDialogServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostGetNewDialog>(table, &GetNewDialogService);
  vantor::SetService<HostModalDialog>(table, &ModalDialogService);
}

}  // namespace host
