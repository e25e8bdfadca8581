// The user's selection as the host's 400-byte range records
// (vantor::kRangeRecordBytes; i32 start at 8, i32 end at 12).
#pragma once

#include "frame/host_service_wrappers.h"

namespace spiro {

// Copy the record into the caller's 400-byte buffer.
void HostGetRangeRecord521(unsigned char* range);
void HostGetRangeRecord524(unsigned char* range);

// Record 521 is valid (511) and has the property.
bool RangeHasProperty516();
bool RangeHasProperty518();
bool RangeHasProperty519();
// The active range: record 521 when RangeHasProperty519 holds, else record 524.
void GetActiveRangeRecord(unsigned char* range);

}  // namespace spiro
