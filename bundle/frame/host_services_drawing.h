// Windows, text and drawing through the host.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

void HostService31(ConstStr255Param text, const Rect* rect, std::int16_t mode);
void HostService37(std::int16_t iconId, const Rect* rect, std::int16_t width, std::int16_t height,
                   std::int16_t a, std::int16_t b, std::int16_t c);
// Copies the 36-byte buffer record into the caller's record.
void HostService45(unsigned char* record, const Rect* bounds, std::int16_t mode,
                   std::int16_t flags);
void HostService48(void* textBox);
void HostService50(void* textBox);
void HostService51(void* textBox);
void HostService54(void* textBox, const Rect* bufferRect, const Rect* boxRect, std::int16_t mode);
void HostService68();
void HostService73(void* window);
void HostService74(Rect* rect, std::int16_t style, std::int16_t mode);
void HostService77();
void HostService140(void* window);
void HostService141(void* window);
void HostService143(void* window, std::int16_t width, std::int16_t height, bool update);
void HostService144(void* window, std::int16_t part, bool front, bool update);
void HostService147(void* window);
void HostService169(ConstStr255Param text, std::int16_t x, std::int16_t y,
                    std::int16_t justification);
void HostService170(std::int32_t penKind, std::int16_t scale);
void HostService171(Rect* rect, std::int16_t scale);
void HostService173(void* window, std::int16_t h, std::int16_t v, bool front);
void HostService263(void* window, bool active);
void HostPositionWindow(void* window, ConstStr255Param ownerName, OSType type,
                        std::int16_t resourceId, std::int16_t a, std::uint32_t b);
std::int16_t HostService344(ConstStr255Param text);
void HostService345(ConstStr255Param text, std::int16_t x, std::int16_t y, std::int16_t direction);
void HostService346(ConstStr255Param text, const Rect* rect, std::int16_t mode);
void HostService348(ConstStr255Param text, const Rect* box, std::int16_t a, std::int16_t b,
                    std::int16_t c);
void HostSetDrawStyle530(std::int16_t style);
void HostSetDrawStyle531(std::int16_t style);
