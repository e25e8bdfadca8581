// Procedure pointers of the Dialog Manager (modal filters, user items) and
// the standard filter.
#include "dialog_record.h"
#include "low_objects.h"

struct OpaqueModalFilterUPP {
  ModalFilterProcPtr procedure;
};

struct OpaqueUserItemUPP {
  UserItemProcPtr procedure = nullptr;
  void (*voidDialogProcedure)(void* dialog, DialogItemIndex itemNo) = nullptr;
};

ModalFilterUPP NewModalFilterUPP(ModalFilterProcPtr userRoutine) {
  return toolbox::internal::NewLowObject<OpaqueModalFilterUPP>(OpaqueModalFilterUPP{userRoutine});
}

void DisposeModalFilterUPP(ModalFilterUPP userUPP) { toolbox::internal::DeleteLowObject(userUPP); }

Boolean InvokeModalFilterUPP(DialogRef theDialog, EventRecord* theEvent, DialogItemIndex* itemHit,
                             ModalFilterUPP userUPP) {
  if (userUPP == nullptr || userUPP->procedure == nullptr) return false;
  return userUPP->procedure(theDialog, theEvent, itemHit);
}

UserItemUPP NewUserItemUPP(UserItemProcPtr userRoutine) {
  auto* upp = toolbox::internal::NewLowObject<OpaqueUserItemUPP>();
  upp->procedure = userRoutine;
  return upp;
}

UserItemUPP toolbox::NewUserItemUPPForVoidDialog(void (*userRoutine)(void* dialog, DialogItemIndex itemNo)) {
  auto* upp = toolbox::internal::NewLowObject<OpaqueUserItemUPP>();
  upp->voidDialogProcedure = userRoutine;
  return upp;
}

void DisposeUserItemUPP(UserItemUPP userUPP) { toolbox::internal::DeleteLowObject(userUPP); }

void InvokeUserItemUPP(DialogRef theDialog, DialogItemIndex itemNo, UserItemUPP userUPP) {
  if (userUPP == nullptr) return;
  if (userUPP->procedure != nullptr) userUPP->procedure(theDialog, itemNo);
  if (userUPP->voidDialogProcedure != nullptr) userUPP->voidDialogProcedure(theDialog, itemNo);
}

Boolean StdFilterProc(DialogRef theDialog, EventRecord* event, DialogItemIndex* itemHit) {
  if (event == nullptr || itemHit == nullptr || event->what != keyDown) return false;
  const auto character = static_cast<UInt8>(event->message & charCodeMask);
  const bool commandPeriod = (event->modifiers & cmdKey) != 0 && character == '.';
  DialogItemIndex item = 0;
  if (character == kReturnCharCode || character == kEnterCharCode) item = GetDialogDefaultItem(theDialog);
  if (character == kEscapeCharCode || commandPeriod) item = GetDialogCancelItem(theDialog);
  if (item == 0 || !toolbox::IsDialogItemEnabled(theDialog, item)) return false;
  *itemHit = item;
  return true;
}

OSErr GetStdFilterProc(ModalFilterUPP* theProc) {
  static const ModalFilterUPP standard = NewModalFilterUPP(&StdFilterProc);
  if (theProc == nullptr) return paramErr;
  *theProc = standard;
  return noErr;
}
