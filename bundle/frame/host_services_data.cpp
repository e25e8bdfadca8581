#include "frame/host_services_data.h"

#include "frame/host_service_entry.h"
#include "vantor/byte_access.h"

namespace service = vantor::service;

BlockOffset MakeBlockOffset(std::int16_t block, std::int16_t offset) {
  BlockOffset packed{};
  vantor::StoreAt(packed.bytes, vantor::kBlockOffsetBlockAt, block);
  vantor::StoreAt(packed.bytes, vantor::kBlockOffsetOffsetAt, offset);
  return packed;
}

std::int32_t DataPositionOfBlockOffset(const BlockOffset& blockOffset) {
  return HostEntry<service::DataPositionOfBlockOffset>()(HostDataObject(), blockOffset.bytes);
}

std::int16_t DataBlockOfPosition(std::uint32_t position) {
  return HostEntry<service::DataBlockOfPosition>()(HostDataObject(), position);
}

Handle DataLockBlock468(std::int16_t channel, std::int16_t block) {
  return HostEntry<service::DataLockBlock468>()(HostDataObject(), channel, block);
}

void DataUnlockBlock469(std::int16_t channel, std::int16_t block) {
  HostEntry<service::DataUnlockBlock469>()(HostDataObject(), channel, block);
}

std::uint32_t DataChannelHasBlock(std::int16_t channel, std::int16_t block) {
  return HostEntry<service::DataChannelHasBlock>()(HostDataObject(), channel, block);
}

Handle DataLockBlock471(std::int16_t channel, std::int16_t block) {
  return HostEntry<service::DataLockBlock471>()(HostDataObject(), channel, block);
}

void DataUnlockBlock472(std::int16_t channel, std::int16_t block) {
  HostEntry<service::DataUnlockBlock472>()(HostDataObject(), channel, block);
}

std::int32_t DataBlockLength(std::int16_t block) {
  return HostEntry<service::DataBlockLength>()(HostDataObject(), block);
}

void DataGetBlockRecord475(std::int16_t block, vantor::BlockTimeFormat* format) {
  HostEntry<service::DataGetBlockRecord475>()(HostDataObject(), block, format);
}

void DataGetChannelRecord477(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaleInfo* info) {
  HostEntry<service::DataGetChannelRecord477>()(HostDataObject(), channel, block, info);
}

void DataGetChannelRecord483(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling) {
  HostEntry<service::DataGetChannelRecord483>()(HostDataObject(), channel, block, scaling);
}

void DataGetChannelRecord485(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling) {
  HostEntry<service::DataGetChannelRecord485>()(HostDataObject(), channel, block, scaling);
}

std::uint32_t DataService487(std::int16_t block) {
  return HostEntry<service::DataService487>()(HostDataObject(), block);
}

std::int32_t DataService489(std::int16_t block) {
  return HostEntry<service::DataService489>()(HostDataObject(), block);
}

void DataService491(std::int32_t position, std::int32_t* a, std::int32_t* b) {
  HostEntry<service::DataService491>()(HostDataObject(), position, a, b);
}

std::int16_t DataService493(std::int32_t stretch) {
  return HostEntry<service::DataService493>()(HostDataObject(), stretch);
}

void DataService494(unsigned char* record, std::int16_t block) {
  HostEntry<service::DataService494>()(HostDataObject(), record, block);
}

std::uint32_t DataService496(std::int16_t channel, std::int16_t block) {
  return HostEntry<service::DataService496>()(HostDataObject(), channel, block);
}

void DataGetChannelRecord497(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaleInfo* info) {
  HostEntry<service::DataGetChannelRecord497>()(HostDataObject(), channel, block, info);
}

void DataGetChannelRecord499(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling) {
  HostEntry<service::DataGetChannelRecord499>()(HostDataObject(), channel, block, scaling);
}

void DataGetChannelRecord501(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling) {
  HostEntry<service::DataGetChannelRecord501>()(HostDataObject(), channel, block, scaling);
}

std::uint32_t DataService504(std::int16_t channel, std::int32_t start, std::int32_t end) {
  return HostEntry<service::DataService504>()(HostDataObject(), channel, start, end);
}

std::uint32_t DataSamplesVersion(std::int16_t channel) {
  return HostEntry<service::DataSamplesVersion>()(HostDataObject(), channel);
}
