#include "frame/host_services_ranges.h"

#include <cstring>

namespace spiro {

namespace service = vantor::service;

namespace {

using RangeRecord = unsigned char[vantor::kRangeRecordBytes];
using RangeProperty = bool (*)(const unsigned char*);

bool CurrentRangeHas(RangeProperty property) {
  RangeRecord range{};
  HostGetRangeRecord521(range);
  return HostRangeIsValid(range) && property(range);
}

}  // namespace

void HostGetRangeRecord521(unsigned char* range) {
  RangeRecord result{};
  frame::HostEntry<service::HostGetRangeRecord521>()(result);
  std::memcpy(range, result, sizeof result);
}

void HostGetRangeRecord524(unsigned char* range) {
  RangeRecord result{};
  frame::HostEntry<service::HostGetRangeRecord524>()(result);
  std::memcpy(range, result, sizeof result);
}

bool RangeHasProperty516() { return CurrentRangeHas(HostRangeProperty516); }

bool RangeHasProperty518() { return CurrentRangeHas(HostRangeProperty518); }

bool RangeHasProperty519() { return CurrentRangeHas(HostRangeProperty519); }

void GetActiveRangeRecord(unsigned char* range) {
  if (RangeHasProperty519()) {
    HostGetRangeRecord521(range);
  } else {
    HostGetRangeRecord524(range);
  }
}

}  // namespace spiro
