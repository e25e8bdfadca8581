// Alerts, string lists and number text through the host. Str255 results are
// copied into the caller's 256-byte buffer; in-place texts are changed where
// they lie.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

void HostAlert(ConstStr255Param message);
void HostAlert82(ConstStr255Param message);
std::int32_t HostStringToLong(ConstStr255Param text);
double HostStringToDouble(ConstStr255Param text);
void HostDoubleToString(StringPtr text, double value, std::int16_t decimals, bool flag);
void HostService94(StringPtr text, std::int16_t mode);
void HostAppendString(StringPtr destination, ConstStr255Param source);
void HostService96(StringPtr text, std::int16_t mode, ConstStr255Param title);
void HostGetListString(Handle list, std::int16_t index, StringPtr text);
void HostFormatNumber336(std::int32_t sample, const vantor::BlockTimeFormat* format,
                         std::int16_t a, std::int16_t b, StringPtr text);
void HostService339();
void HostFormatNumber340(double value, const vantor::ChannelScaling* scaling, std::int16_t a,
                         std::int16_t b, std::int16_t c, StringPtr text);
void HostService343(StringPtr unitText, const vantor::ChannelScaling* scaling);
void HostService389(StringPtr text);
