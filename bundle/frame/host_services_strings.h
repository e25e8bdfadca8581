// Alerts, string lists and number text through the host. Str255 results are
// copied into the caller's 256-byte buffer; in-place texts are changed where
// they lie.
#pragma once

#include <cstdint>

#include "frame/host_service_wrappers.h"
#include "toolbox/mac_types.h"

namespace spiro {

void HostDoubleToString(StringPtr text, double value, std::int16_t decimals, bool flag);
void HostGetListString(Handle list, std::int16_t index, StringPtr text);
void HostFormatNumber336(std::int32_t sample, const vantor::BlockTimeFormat* format, std::int16_t a,
                         std::int16_t b, StringPtr text);
void HostFormatNumber340(double value, const vantor::ChannelScaling* scaling, std::int16_t a,
                         std::int16_t b, std::int16_t c, StringPtr text);
void HostService343(StringPtr unitText, const vantor::ChannelScaling* scaling);

}  // namespace spiro
