#include "frame/host_services_output.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

void HostService160(ConstStr255Param title) { HostEntry<service::HostService160>()(title); }

std::int32_t HostService161(const Rect* destination, const Rect* frame, Handle picture,
                            std::int16_t hPercent, std::int16_t vPercent, bool flag) {
  return HostEntry<service::HostService161>()(destination, frame, picture, hPercent, vPercent,
                                              flag);
}

void HostService528(StringPtr name, std::int16_t which) {
  Str255 result{};
  HostEntry<service::HostService528>()(&result, which);
  CopyStr255Result(name, result);
}

void* HostService640(Handle document, vantor::OutputPageProc drawPage) {
  return HostEntry<service::HostService640>()(document, drawPage);
}

void HostService642(void* job, vantor::OutputPictureProc makePicture) {
  HostEntry<service::HostService642>()(job, makePicture);
}

void HostService643(void* job, std::int16_t copies, bool withDialog, ConstStr255Param title) {
  HostEntry<service::HostService643>()(job, copies, withDialog, title);
}
