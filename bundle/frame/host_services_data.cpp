#include "frame/host_services_data.h"

#include "vantor/byte_access.h"

namespace spiro {

namespace service = vantor::service;

BlockOffset MakeBlockOffset(std::int16_t block, std::int16_t offset) {
  BlockOffset packed{};
  vantor::StoreAt(packed.bytes, vantor::kBlockOffsetBlockAt, block);
  vantor::StoreAt(packed.bytes, vantor::kBlockOffsetOffsetAt, offset);
  return packed;
}

std::int32_t DataPositionOfBlockOffset(const BlockOffset& blockOffset) {
  return frame::HostEntry<service::DataPositionOfBlockOffset>()(HostDataObject(),
                                                                blockOffset.bytes);
}

}  // namespace spiro
