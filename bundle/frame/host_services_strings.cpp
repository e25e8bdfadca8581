#include "frame/host_services_strings.h"

namespace spiro {

namespace service = vantor::service;

void HostDoubleToString(StringPtr text, double value, std::int16_t decimals, bool flag) {
  Str255 result{};
  frame::HostEntry<service::HostDoubleToString>()(&result, value, decimals, flag);
  frame::CopyStr255Result(text, result);
}

void HostGetListString(Handle list, std::int16_t index, StringPtr text) {
  Str255 result{};
  frame::HostEntry<service::HostGetListString>()(list, index, &result);
  frame::CopyStr255Result(text, result);
}

void HostFormatNumber336(std::int32_t sample, const vantor::BlockTimeFormat* format, std::int16_t a,
                         std::int16_t b, StringPtr text) {
  Str255 result{};
  frame::HostEntry<service::HostFormatNumber336>()(sample, format, a, b, &result);
  frame::CopyStr255Result(text, result);
}

void HostFormatNumber340(double value, const vantor::ChannelScaling* scaling, std::int16_t a,
                         std::int16_t b, std::int16_t c, StringPtr text) {
  Str255 result{};
  frame::HostEntry<service::HostFormatNumber340>()(value, scaling, a, b, c, &result);
  frame::CopyStr255Result(text, result);
}

void HostService343(StringPtr unitText, const vantor::ChannelScaling* scaling) {
  Str255 result{};
  frame::HostEntry<service::HostService343>()(&result, scaling);
  frame::CopyStr255Result(unitText, result);
}

}  // namespace spiro
