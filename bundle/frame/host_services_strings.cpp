#include "frame/host_services_strings.h"

#include "frame/host_service_entry.h"

namespace service = vantor::service;

void HostAlert(ConstStr255Param message) { HostEntry<service::HostAlert>()(message); }

void HostAlert82(ConstStr255Param message) { HostEntry<service::HostAlert82>()(message); }

std::int32_t HostStringToLong(ConstStr255Param text) {
  return HostEntry<service::HostStringToLong>()(text);
}

double HostStringToDouble(ConstStr255Param text) {
  return HostEntry<service::HostStringToDouble>()(text);
}

void HostDoubleToString(StringPtr text, double value, std::int16_t decimals, bool flag) {
  Str255 result{};
  HostEntry<service::HostDoubleToString>()(&result, value, decimals, flag);
  CopyStr255Result(text, result);
}

void HostService94(StringPtr text, std::int16_t mode) {
  HostEntry<service::HostService94>()(text, mode);
}

void HostAppendString(StringPtr destination, ConstStr255Param source) {
  HostEntry<service::HostAppendString>()(destination, source);
}

void HostService96(StringPtr text, std::int16_t mode, ConstStr255Param title) {
  HostEntry<service::HostService96>()(text, mode, title);
}

void HostGetListString(Handle list, std::int16_t index, StringPtr text) {
  Str255 result{};
  HostEntry<service::HostGetListString>()(list, index, &result);
  CopyStr255Result(text, result);
}

void HostFormatNumber336(std::int32_t sample, const vantor::BlockTimeFormat* format,
                         std::int16_t a, std::int16_t b, StringPtr text) {
  Str255 result{};
  HostEntry<service::HostFormatNumber336>()(sample, format, a, b, &result);
  CopyStr255Result(text, result);
}

void HostService339() { HostEntry<service::HostService339>()(); }

void HostFormatNumber340(double value, const vantor::ChannelScaling* scaling, std::int16_t a,
                         std::int16_t b, std::int16_t c, StringPtr text) {
  Str255 result{};
  HostEntry<service::HostFormatNumber340>()(value, scaling, a, b, c, &result);
  CopyStr255Result(text, result);
}

void HostService343(StringPtr unitText, const vantor::ChannelScaling* scaling) {
  Str255 result{};
  HostEntry<service::HostService343>()(&result, scaling);
  CopyStr255Result(unitText, result);
}

void HostService389(StringPtr text) { HostEntry<service::HostService389>()(text); }
