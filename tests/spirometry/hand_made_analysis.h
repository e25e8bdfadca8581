// Blocks for a hand-made analysis: samples, phase lists and string lists in
// host handles, and an extension object for calls that need one.
#pragma once

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "frame/extension_base.h"
#include "extension/spiro_records.h"
#include "frame/host_services_memory.h"
#include "toolbox/resource_test_support.h"

using namespace spiro;

namespace hand_made {

inline Handle Bytes(const void* data, std::size_t size) {
  Handle h = HostNewHandle(static_cast<std::uint32_t>(size));
  if (size > 0) std::memcpy(*h, data, size);
  return h;
}

template <class T>
Handle HandleOf(const std::vector<T>& values) {
  return Bytes(values.data(), values.size() * sizeof(T));
}

// A 'STR#' list in a host handle; entry i is strings[i - 1].
inline Handle StringList(const std::vector<std::string>& strings) {
  return HandleOf(resource_test::StringListData(strings));
}

// A breath traced round in `samples` steps of `radians` on channels 1 (flow,
// flowPeak sin) and 2 (volume, volumePeak cos), with the ranges they span.
inline void TraceLoop(spirometry::LocalDataType& d, int samples, double radians, double flowPeak,
                      double volumePeak) {
  std::vector<float> flow;
  std::vector<float> volume;
  for (int i = 0; i < samples; ++i) {
    flow.push_back(static_cast<float>(flowPeak * std::sin(i * radians)));
    volume.push_back(static_cast<float>(volumePeak * std::cos(i * radians)));
  }
  d.sampleCount = samples;
  d.flowSamples = HandleOf(flow);
  d.volumeSamples = HandleOf(volume);
  d.flowMax = static_cast<float>(std::fabs(flowPeak));
  d.flowMin = -d.flowMax;
  d.volumeMax = static_cast<float>(std::fabs(volumePeak));
  d.volumeMin = -d.volumeMax;
  d.flowChannel = 1;
  d.volumeChannel = 2;
}

// Frees the handles a hand-made record holds, then (given) the record's own.
inline void DisposeHeld(const spirometry::LocalDataType& d) {
  for (Handle h : {d.flowSamples, d.volumeSamples, d.phases, d.reportTextList, d.messageList, d.labelList,
                   d.windowRecords[0], d.windowRecords[1], d.windowRecords[2]}) {
    if (h != nullptr) HostDisposeHandle(h);
  }
}
inline void DisposeRecord(spirometry::LocalDataType** data) {
  DisposeHeld(**data);
  HostDisposeHandle(reinterpret_cast<Handle>(data));
}

class Extension final : public VantorExtensionBase {
 public:
  std::uint32_t GetExtensionKind() override { return 0; }
};

}  // namespace hand_made
