// The host's standard user-item procedures (121, 122), installing a user
// item's procedure (135), showing and disposing of a dialog (145, 146), and
// the procedure references of HostQueryValue 200 and 205.
//
//   121  a separator: an engraved horizontal line (grey over white) across
//        the item at its vertical middle
//   122  a group frame: the item's rectangle framed in grey
// Both draw into the dialog's own port, whatever port is current, and leave
// pen, colour and port as they were. 135 installs a procedure on a user item
// only (a control or text item keeps its own drawing); a null procedure
// removes it. 145 shows the dialog's window in front of the others for the
// modal loop; 146 disposes of the dialog.
#include <unordered_map>

#include "dialog_items.h"
#include "dialog_procedures.h"
#include "host/service_table.h"
#include "port_scopes.h"
#include "toolbox/memory.h"
#include "toolbox/windows.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr RGBColor kEngravedGrey{0x8888, 0x8888, 0x8888};
constexpr RGBColor kHighlightWhite{0xFFFF, 0xFFFF, 0xFFFF};

// Draws into the dialog's port with the pen and colour given back afterwards.
template <class Draw>
void DrawInDialog(void* dialog, std::int16_t item, Draw draw) {
  DialogRef ref = LiveDialog(dialog);
  if (ref == nullptr || item < 1 || item > CountDITL(ref)) return;
  Rect box{};
  GetDialogItem(ref, item, nullptr, nullptr, &box);
  CGrafPtr saved = nullptr;
  QDSwapPort(GetDialogPort(ref), &saved);
  {
    PenScope pen;
    PenNormal();
    draw(box);
  }
  SetPort(saved);
}

void SeparatorItemProc(void* dialog, std::int16_t item) {
  DrawInDialog(dialog, item, [](const Rect& box) {
    const auto middle = static_cast<SInt16>((box.top + box.bottom) / 2);
    RGBForeColor(&kEngravedGrey);
    MoveTo(box.left, middle);
    LineTo(static_cast<SInt16>(box.right - 1), middle);
    RGBForeColor(&kHighlightWhite);
    MoveTo(box.left, static_cast<SInt16>(middle + 1));
    LineTo(static_cast<SInt16>(box.right - 1), static_cast<SInt16>(middle + 1));
  });
}

void FrameItemProc(void* dialog, std::int16_t item) {
  DrawInDialog(dialog, item, [](const Rect& box) {
    RGBForeColor(&kEngravedGrey);
    FrameRect(&box);
  });
}

// One UPP per procedure for the life of the program: procedures are the
// extension's or the host's functions, and dialogs come and go.
UserItemUPP UppFor(vantor::UserItemProc procedure) {
  static std::unordered_map<vantor::UserItemProc, UserItemUPP> upps;
  auto [at, added] = upps.try_emplace(procedure, nullptr);
  if (added) at->second = toolbox::NewUserItemUPPForVoidDialog(procedure);
  return at->second;
}

void SetItemProcService(void* dialog, std::int16_t item, vantor::UserItemProc procedure) {
  DialogRef ref = LiveDialog(dialog);
  if (ref == nullptr || item < 1 || item > CountDITL(ref)) return;
  DialogItemType type = 0;
  Rect box{};
  GetDialogItem(ref, item, &type, nullptr, &box);
  if ((type & ~kItemDisableBit) != kUserDialogItem) return;
  UserItemUPP upp = procedure != nullptr ? UppFor(procedure) : nullptr;
  SetDialogItem(ref, item, type, reinterpret_cast<Handle>(upp), &box);
}

void ShowDialogService(void* dialog) {
  if (DialogRef ref = LiveDialog(dialog)) {
    ShowWindow(GetDialogWindow(ref));
    SelectWindow(GetDialogWindow(ref));
  }
}

void DisposeDialogService(void* dialog) {
  if (DialogRef ref = LiveDialog(dialog)) DisposeDialog(ref);
}

}  // namespace

std::uint32_t StandardUserItemReference() { return toolbox::ToU32(UppFor(&FrameItemProc)); }

std::uint32_t StandardModalFilterReference() {
  ModalFilterUPP filter = nullptr;
  GetStdFilterProc(&filter);
  return toolbox::ToU32(filter);
}

void InstallDialogProcedureServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostStandardItemProc121>(table, &SeparatorItemProc);
  vantor::SetService<HostStandardItemProc122>(table, &FrameItemProc);
  vantor::SetService<HostSetDialogItemProc>(table, &SetItemProcService);
  vantor::SetService<HostShowDialog>(table, &ShowDialogService);
  vantor::SetService<HostDisposeDialog>(table, &DisposeDialogService);
}

}  // namespace host
