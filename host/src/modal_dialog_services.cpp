// Making a dialog (78) and one step of its modal loop (79).
//
// 78 builds the dialog from the current resource chain (the extension
// brackets the call with its own resources) in front of every window; a
// missing or damaged DLOG/DITL gives null. 79 runs one step: the user's next
// action comes from the script queue, is offered to the filter (the
// reference HostQueryValue(205) hands out, or the extension's own), and the
// item it hits is written back; with no action left the answer is Cancel.
#include <cstdlib>
#include <map>
#include <string>

#include "host/dialog_pictures.h"
#include "host/service_table.h"
#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/windows.h"
#include "vantor/services.h"

namespace host {
namespace {

// VANTOR_DIALOG_PICTURES names the folder for any program run with it.
std::string& PictureFolder() {
  static std::string folder = [] {
    const char* set = std::getenv("VANTOR_DIALOG_PICTURES");
    return std::string(set != nullptr ? set : "");
  }();
  return folder;
}
// The resource id each dialog was made from, to name its picture.
std::map<DialogRef, std::int16_t> gDialogIds;

void* GetNewDialogService(std::int16_t dialogId) {
  DialogRef dialog = GetNewDialog(dialogId, nullptr, kWindowInFront);
  if (dialog != nullptr) gDialogIds[dialog] = dialogId;
  return dialog;
}

void PictureFrontDialog() {
  if (PictureFolder().empty()) return;
  DialogRef dialog = GetDialogFromWindow(FrontWindow());
  const auto id = gDialogIds.find(dialog);
  if (dialog == nullptr || !toolbox::IsLiveDialog(dialog) || id == gDialogIds.end()) return;
  std::string error;
  toolbox::WriteDialogPng(dialog, PictureFolder() + "/dialog-" + std::to_string(id->second) + ".png", &error);
}

void ModalDialogService(vantor::HostProcedure filter, std::int16_t* itemHit) {
  if (itemHit == nullptr) return;
  PictureFrontDialog();
  DialogItemIndex hit = 0;
  ModalDialog(toolbox::FromU32<OpaqueModalFilterUPP>(filter), &hit);
  *itemHit = hit;
}

}  // namespace

void SetDialogPictureFolder(const std::string& folder) { PictureFolder() = folder; }

void InstallModalDialogServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostGetNewDialog>(table, &GetNewDialogService);
  vantor::SetService<HostModalDialog>(table, &ModalDialogService);
}

}  // namespace host
