// Host output jobs: printed pages and pictures of a window's content.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

void HostService160(ConstStr255Param title);
std::int32_t HostService161(const Rect* destination, const Rect* frame, Handle picture,
                            std::int16_t hPercent, std::int16_t vPercent, bool flag);
// Copies the document's name into the caller's 256-byte buffer.
void HostService528(StringPtr name, std::int16_t which);
// Null when no job was made.
void* HostService640(Handle document, vantor::OutputPageProc drawPage);
void HostService642(void* job, vantor::OutputPictureProc makePicture);
void HostService643(void* job, std::int16_t copies, bool withDialog, ConstStr255Param title);
