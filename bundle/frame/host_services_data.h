// The host's data services: block positions, sample blocks and the per
// channel and per block records of the document. Each call goes to the
// bundle-wide host data object (HostDataObject), created on first use.
#pragma once

#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/services.h"

// The packed {i16 block, i16 offset} that DataPositionOfBlockOffset reads.
struct BlockOffset {
  unsigned char bytes[vantor::kBlockOffsetBytes];
};
BlockOffset MakeBlockOffset(std::int16_t block, std::int16_t offset);

std::int32_t DataPositionOfBlockOffset(const BlockOffset& blockOffset);
std::int16_t DataBlockOfPosition(std::uint32_t position);
Handle DataLockBlock468(std::int16_t channel, std::int16_t block);
void DataUnlockBlock469(std::int16_t channel, std::int16_t block);
std::uint32_t DataChannelHasBlock(std::int16_t channel, std::int16_t block);
Handle DataLockBlock471(std::int16_t channel, std::int16_t block);
void DataUnlockBlock472(std::int16_t channel, std::int16_t block);
std::int32_t DataBlockLength(std::int16_t block);
void DataGetBlockRecord475(std::int16_t block, vantor::BlockTimeFormat* format);
void DataGetChannelRecord477(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaleInfo* info);
void DataGetChannelRecord483(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling);
void DataGetChannelRecord485(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling);
std::uint32_t DataService487(std::int16_t block);
std::int32_t DataService489(std::int16_t block);
void DataService491(std::int32_t position, std::int32_t* a, std::int32_t* b);
std::int16_t DataService493(std::int32_t stretch);
// record: kBlockRecord494Bytes bytes.
void DataService494(unsigned char* record, std::int16_t block);
std::uint32_t DataService496(std::int16_t channel, std::int16_t block);
void DataGetChannelRecord497(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaleInfo* info);
void DataGetChannelRecord499(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling);
void DataGetChannelRecord501(std::int16_t channel, std::int16_t block,
                             vantor::ChannelScaling* scaling);
std::uint32_t DataService504(std::int16_t channel, std::int32_t start, std::int32_t end);
std::uint32_t DataSamplesVersion(std::int16_t channel);
