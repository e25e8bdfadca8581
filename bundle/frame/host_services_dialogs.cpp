#include "frame/host_services_dialogs.h"

namespace spiro {

namespace service = vantor::service;

void HostGetDialogItemText(void* dialog, std::int16_t item, StringPtr text) {
  Str255 result{};
  frame::HostEntry<service::HostGetDialogItemText>()(&result, dialog, item);
  frame::CopyStr255Result(text, result);
}

}  // namespace spiro
