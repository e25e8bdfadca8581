#include "computed/flow_local_data.h"

#include "computed/flow_object.h"
#include "computed/local_records.h"
#include "frame/host_services_host.h"

namespace spiro {

namespace flow {

LocalDataType** NewLocalData(std::int16_t channel) {
  const auto channelCount = static_cast<std::int16_t>(HostQueryValue(kChannelCountQuery));
  const LocalDataType record{channel, kStateCreated,
                             static_cast<std::uint16_t>(kUnresolvedExtensionId), channelCount,
                             nullptr};
  return NewLocalRecord(record, kOutOfMemoryText);
}

}  // namespace flow

}  // namespace spiro
