// Dialog Manager: dialogs from 'DLOG' and 'DITL' resources, their items
// (push buttons, check boxes, radio buttons and resource controls, which are
// controls of the dialog's window; static and edit text, whose texts are
// Memory Manager handles; icons, pictures and user items drawn by their
// procedures), ParamText substitution, drawing, and the modal loop.
//
// A dialog is a window (GetDialogWindow) whose kind is kDialogWindowKind.
// ModalDialog takes the user's actions from the script queue (script.h):
// item hits, typed text, keys and clicks, each offered to the modal filter
// first as the event a user would have made. An exhausted script, or an
// action that is not a dialog's, answers the cancel item.
//
// Procedure pointers (modal filters, user items) live in the low arena, so
// a UPP fits the host's 32-bit fields. Calls given a disposed or foreign
// DialogRef, or an item number the dialog lacks, do nothing (getters answer
// empty values). Texts are MacRoman.
#pragma once

#include <string>

#include "toolbox/controls.h"
#include "toolbox/events.h"
#include "toolbox/mac_types.h"
#include "toolbox/quickdraw.h"

struct OpaqueDialogPtr;
using DialogRef = OpaqueDialogPtr*;
using DialogPtr = DialogRef;
using DialogItemIndex = SInt16;
using DialogItemIndexZeroBased = SInt16;
using DialogItemType = SInt16;

// Item kinds, as stored in 'DITL' resources.
enum : DialogItemType {
  kUserDialogItem = 0,
  kHelpDialogItem = 1,
  kButtonDialogItem = 4,
  kCheckBoxDialogItem = 5,
  kRadioButtonDialogItem = 6,
  kResourceControlDialogItem = 7,
  kStaticTextDialogItem = 8,
  kEditTextDialogItem = 16,
  kIconDialogItem = 32,
  kPictureDialogItem = 64,
  kItemDisableBit = 128,
};

enum : DialogItemIndex {
  kStdOkItemIndex = 1,
  kStdCancelItemIndex = 2,
};

// MacErrors.h value.
enum : OSErr { errItemNotControl = -30596 };

using ModalFilterProcPtr = Boolean (*)(DialogRef theDialog, EventRecord* theEvent, DialogItemIndex* itemHit);
struct OpaqueModalFilterUPP;
using ModalFilterUPP = OpaqueModalFilterUPP*;
using UserItemProcPtr = void (*)(DialogRef theDialog, DialogItemIndex itemNo);
struct OpaqueUserItemUPP;
using UserItemUPP = OpaqueUserItemUPP*;

ModalFilterUPP NewModalFilterUPP(ModalFilterProcPtr userRoutine);
void DisposeModalFilterUPP(ModalFilterUPP userUPP);
// False for a null UPP.
Boolean InvokeModalFilterUPP(DialogRef theDialog, EventRecord* theEvent, DialogItemIndex* itemHit,
                             ModalFilterUPP userUPP);
UserItemUPP NewUserItemUPP(UserItemProcPtr userRoutine);
void DisposeUserItemUPP(UserItemUPP userUPP);
void InvokeUserItemUPP(DialogRef theDialog, DialogItemIndex itemNo, UserItemUPP userUPP);

// The standard filter: return and enter hit the default item, escape and
// command-period the cancel item, when those items are enabled.
Boolean StdFilterProc(DialogRef theDialog, EventRecord* event, DialogItemIndex* itemHit);
// A UPP for StdFilterProc that lives as long as the program.
OSErr GetStdFilterProc(ModalFilterUPP* theProc);

// Null when either resource is missing or malformed, or memory runs out
// (MemError memFullErr). dStorage is ignored, as for windows. The first edit
// text item gets the keyboard focus with its whole text selected.
DialogRef GetNewDialog(SInt16 dialogID, void* dStorage, WindowRef behind);
void DisposeDialog(DialogRef theDialog);
WindowRef GetDialogWindow(DialogRef dialog);
// Null for a window that is not a dialog's.
DialogRef GetDialogFromWindow(WindowRef window);
CGrafPtr GetDialogPort(DialogRef dialog);

DialogItemIndex CountDITL(DialogRef theDialog);
// itemType is the kind, with kItemDisableBit when the item is disabled;
// item is the control (as a Handle) of control items, the text handle of
// text items, the procedure (a UserItemUPP) of user items, null otherwise.
// Any out pointer may be null.
void GetDialogItem(DialogRef theDialog, DialogItemIndex itemNo, DialogItemType* itemType, Handle* item, Rect* box);
// Changes the disable bit and the rectangle; for a user item also its
// procedure (item, a UserItemUPP). The kind itself cannot change.
void SetDialogItem(DialogRef theDialog, DialogItemIndex itemNo, DialogItemType itemType, Handle item, const Rect* box);
// item: a text item's handle or a control; any other live handle is read or
// written as text. Changed text items are redrawn at the next update.
void GetDialogItemText(Handle item, Str255 text);
void SetDialogItemText(Handle item, ConstStr255Param text);
// Focuses an edit text item and selects [strtSel, endSel) of its text (both
// limited to the text's length).
void SelectDialogItemText(DialogRef theDialog, DialogItemIndex itemNo, SInt16 strtSel, SInt16 endSel);
DialogItemIndex GetDialogKeyboardFocusItem(DialogRef dialog);
OSErr GetDialogItemAsControl(DialogRef inDialog, SInt16 inItemNo, ControlRef* outControl);
// The item under a local point, counted from 0; -1 when none.
DialogItemIndexZeroBased FindDialogItem(DialogRef theDialog, Point thePt);
void HideDialogItem(DialogRef theDialog, DialogItemIndex itemNo);
void ShowDialogItem(DialogRef theDialog, DialogItemIndex itemNo);
OSErr SetDialogDefaultItem(DialogRef theDialog, DialogItemIndex newItem);
OSErr SetDialogCancelItem(DialogRef theDialog, DialogItemIndex newItem);
DialogItemIndex GetDialogDefaultItem(DialogRef theDialog);
DialogItemIndex GetDialogCancelItem(DialogRef theDialog);

// Texts for ^0..^3 in static text items (null leaves that text empty).
void ParamText(ConstStr255Param param0, ConstStr255Param param1, ConstStr255Param param2, ConstStr255Param param3);
// Erases the dialog's port and draws every visible item; user items through
// their procedures, with the dialog's port current.
void DrawDialog(DialogRef theDialog);
void UpdateDialog(DialogRef theDialog, RgnHandle updateRgn);

// Runs the front dialog (or, when the front window is no dialog, the
// frontmost dialog) until an action hits an item, and answers that item.
// Draws the dialog first when it needs an update. The dialog's port is left
// current, as on the platform.
void ModalDialog(ModalFilterUPP modalFilter, DialogItemIndex* itemHit);

namespace toolbox {

bool IsLiveDialog(DialogRef dialog);
// A user-item UPP for a procedure that takes the dialog as void* (the form
// procedures take when they cross the host's service table).
UserItemUPP NewUserItemUPPForVoidDialog(void (*userRoutine)(void* dialog, DialogItemIndex itemNo));
// Enabled items report hits. A control item is also activated or deactivated.
void SetDialogItemEnabled(DialogRef dialog, DialogItemIndex itemNo, bool enabled);
bool IsDialogItemEnabled(DialogRef dialog, DialogItemIndex itemNo);
// Draws the dialog and writes its port as a PNG file.
bool WriteDialogPng(DialogRef dialog, const std::string& path, std::string* error);

}  // namespace toolbox
