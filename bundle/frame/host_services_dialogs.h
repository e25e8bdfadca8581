// Dialogs through the host: creation from the extension's resources, item
// access, the modal step and the host's user-item procedures.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

// Null when the dialog cannot be made.
void* HostGetNewDialog(std::int16_t resourceId);
void HostModalDialog(vantor::HostProcedure filter, std::int16_t* itemHit);
Rect HostGetDialogItemRect(void* dialog, std::int16_t item);
void HostSetDialogItemText(void* dialog, std::int16_t item, ConstStr255Param text);
// Copies the item's text into the caller's 256-byte buffer.
void HostGetDialogItemText(void* dialog, std::int16_t item, StringPtr text);
void HostEnableDialogItem(void* dialog, std::int16_t item, bool enable);
void HostService110();
void HostSetDialogItemChecked(void* dialog, std::int16_t item, bool checked);
void HostService113(void* dialog, std::int16_t item, std::int16_t value);
std::int16_t HostGetDialogItemValue(void* dialog, std::int16_t item);
// User-item procedures: callable, and themselves fit to hand to
// HostSetDialogItemProc (the host calls them inside the modal loop).
void HostStandardItemProc121(void* dialog, std::int16_t item);
void HostStandardItemProc122(void* dialog, std::int16_t item);
void HostSetDialogItemProc(void* dialog, std::int16_t item, vantor::UserItemProc proc);
void HostShowDialog(void* dialog);
void HostDisposeDialog(void* dialog);
void* HostGetDialogItemMenu(void* dialog, std::int16_t item);
void HostSetDialogItemValue(void* dialog, std::int16_t item, std::int16_t value);
void HostService210(void* dialog, std::int16_t item, std::int32_t minimum, std::int32_t maximum);
double HostService212(void* dialog, std::int16_t item, double minimum, double maximum);
void HostService568(void* dialog, std::int16_t item, std::int16_t firstItem, std::int16_t a,
                    std::int16_t b);
