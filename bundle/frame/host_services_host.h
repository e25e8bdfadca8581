// Queries about the host, the document and the extension itself: feature
// tests, busy feedback, channel names and inputs, extension resources and
// identities, and the data object.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

bool HostHasCapability(std::int16_t selector);
void HostBusyTick(std::int16_t ticks);
void HostBeginBusy();
void HostEndBusy();
// A number for most selectors, a procedure reference for 200 and 205.
vantor::HostProcedure HostQueryValue(std::int16_t selector);
void HostService333(std::int16_t a, std::int16_t b, vantor::ChannelScaleInfo* info);
// Copies the input's name into the caller's 256-byte buffer.
void HostService437(std::int32_t inputKind, std::int32_t* a, std::int32_t* b, StringPtr name);
std::int32_t HostService439(std::int16_t channelIndex);
bool HostService508(std::int16_t channel, std::int16_t block);
// Copies the channel's title into the caller's 256-byte buffer.
void HostGetChannelName(std::int16_t channel, StringPtr name);
std::int16_t HostService572(std::int16_t channel);
// Copies the title suffix into the caller's 256-byte buffer.
void HostService608(StringPtr suffix, std::int16_t channel);
void HostBeginExtensionResources(std::int16_t hostRef);
void HostEndExtensionResources(std::int16_t hostRef);
// Copies the extension's name into the caller's 256-byte buffer.
void HostGetExtensionName(std::int16_t hostRef, StringPtr name);
std::int16_t HostService638(ConstStr255Param creditLine);
void* HostGetDataObject(std::int16_t which);
