#include "computed/volume_local_data.h"

#include "computed/local_records.h"
#include "computed/volume_object.h"
#include "frame/host_services_host.h"
#include "toolbox/resources.h"

namespace spiro {

namespace volume {

LocalDataType** NewLocalData(std::int16_t channel) {
  LocalDataType record{};
  record.channel = channel;
  record.state = kStateCreated;
  record.respiratoryId = kUnresolvedExtensionId;
  record.flowId = kUnresolvedExtensionId;
  record.channelCount = static_cast<std::int16_t>(HostQueryValue(kChannelCountQuery));
  // The current file at creation: the document's, when it has one.
  record.resetBlocked =
      Get1Resource(FourCharCode("DLOG"), kResetBlockingDialogId) != nullptr ? 1 : 0;
  return NewLocalRecord(record, kOutOfMemoryText);
}

}  // namespace volume

}  // namespace spiro
