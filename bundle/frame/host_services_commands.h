// Submitting commands to the host, which files them and hands them straight
// back through PerformCommand (possibly before the submitting call returns).
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

void HostSetCommandSwapProc(std::uint16_t key, vantor::CommandSwapProc proc);
void HostSubmitCommandShort(std::uint16_t key, std::int32_t index, std::int16_t value);
void HostSubmitCommandShortPairAlt(std::uint16_t key, std::int32_t index, std::int16_t a,
                                   std::int16_t b);
void HostSubmitCommandShortPair(std::uint16_t key, std::int32_t index, std::int16_t a,
                                std::int16_t b);
void HostSubmitCommandFlag(std::uint16_t key, std::int32_t index, bool flag);
void HostSubmitCommandData(std::uint16_t key, std::int32_t index, const void* data);
void HostSubmitCommandDouble(std::uint16_t key, std::int32_t index, double value);
void HostSubmitCommandDoublePair(std::uint16_t key, std::int32_t index, double a, double b);
void HostSubmitCommandBlock(std::uint16_t key, OSType type, std::int16_t size, const void* data);
// The key for a local code; callers pass it on to the submissions as u16.
std::int16_t HostMapExtensionId(std::uint16_t localId, std::int16_t hostRef);
