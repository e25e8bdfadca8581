#include "frame/host_services_dialogs.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

void* HostGetNewDialog(std::int16_t resourceId) {
  return HostEntry<service::HostGetNewDialog>()(resourceId);
}

void HostModalDialog(vantor::HostProcedure filter, std::int16_t* itemHit) {
  HostEntry<service::HostModalDialog>()(filter, itemHit);
}

Rect HostGetDialogItemRect(void* dialog, std::int16_t item) {
  return HostEntry<service::HostGetDialogItemRect>()(dialog, item);
}

void HostSetDialogItemText(void* dialog, std::int16_t item, ConstStr255Param text) {
  HostEntry<service::HostSetDialogItemText>()(dialog, item, text);
}

void HostGetDialogItemText(void* dialog, std::int16_t item, StringPtr text) {
  Str255 result{};
  HostEntry<service::HostGetDialogItemText>()(&result, dialog, item);
  CopyStr255Result(text, result);
}

void HostEnableDialogItem(void* dialog, std::int16_t item, bool enable) {
  HostEntry<service::HostEnableDialogItem>()(dialog, item, enable);
}

void HostService110() { HostEntry<service::HostService110>()(); }

void HostSetDialogItemChecked(void* dialog, std::int16_t item, bool checked) {
  HostEntry<service::HostSetDialogItemChecked>()(dialog, item, checked);
}

void HostService113(void* dialog, std::int16_t item, std::int16_t value) {
  HostEntry<service::HostService113>()(dialog, item, value);
}

std::int16_t HostGetDialogItemValue(void* dialog, std::int16_t item) {
  return HostEntry<service::HostGetDialogItemValue>()(dialog, item);
}

void HostStandardItemProc121(void* dialog, std::int16_t item) {
  HostEntry<service::HostStandardItemProc121>()(dialog, item);
}

void HostStandardItemProc122(void* dialog, std::int16_t item) {
  HostEntry<service::HostStandardItemProc122>()(dialog, item);
}

void HostSetDialogItemProc(void* dialog, std::int16_t item, vantor::UserItemProc proc) {
  HostEntry<service::HostSetDialogItemProc>()(dialog, item, proc);
}

void HostShowDialog(void* dialog) { HostEntry<service::HostShowDialog>()(dialog); }

void HostDisposeDialog(void* dialog) { HostEntry<service::HostDisposeDialog>()(dialog); }

void* HostGetDialogItemMenu(void* dialog, std::int16_t item) {
  return HostEntry<service::HostGetDialogItemMenu>()(dialog, item);
}

void HostSetDialogItemValue(void* dialog, std::int16_t item, std::int16_t value) {
  HostEntry<service::HostSetDialogItemValue>()(dialog, item, value);
}

void HostService210(void* dialog, std::int16_t item, std::int32_t minimum, std::int32_t maximum) {
  HostEntry<service::HostService210>()(dialog, item, minimum, maximum);
}

double HostService212(void* dialog, std::int16_t item, double minimum, double maximum) {
  return HostEntry<service::HostService212>()(dialog, item, minimum, maximum);
}

void HostService568(void* dialog, std::int16_t item, std::int16_t firstItem, std::int16_t a,
                    std::int16_t b) {
  HostEntry<service::HostService568>()(dialog, item, firstItem, a, b);
}
