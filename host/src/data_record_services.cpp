// Data services that fill a channel's records for a block (477..501) on the
// current document. 477, 483 and 485 describe what the channel displays (a
// computed channel: its function's scale info and units); 497, 499 and 501
// what was recorded. A channel or block that does not exist, or no current
// document, gives the default scaling (uncalibrated, factors 1).
#include "host/document.h"
#include "host/computed_channels.h"
#include "host/service_table.h"
#include "vantor/records.h"
#include "vantor/services.h"

namespace host {
namespace {

vantor::ChannelScaling RecordedOrDefault(std::int16_t channel, std::int16_t block) {
  const Document* document = CurrentDocument();
  if (document == nullptr) return DefaultScaling();
  const int b = document->ResolveBlock(block);
  if (!document->IsChannel(channel) || !document->IsBlock(b)) return DefaultScaling();
  return document->RecordedScaling(channel, b);
}

void DisplayedInfoService(void*, std::int16_t channel, std::int16_t block, vantor::ChannelScaleInfo* out) {
  if (out == nullptr) return;
  Document* document = CurrentDocument();
  *out = document == nullptr ? DefaultScaling().info
                             : document->computed().DisplayedInfo(channel, document->ResolveBlock(block));
}

void DisplayedScalingService(void*, std::int16_t channel, std::int16_t block, vantor::ChannelScaling* out) {
  if (out == nullptr) return;
  Document* document = CurrentDocument();
  *out = document == nullptr ? DefaultScaling()
                             : document->computed().DisplayedScaling(channel, document->ResolveBlock(block));
}

void RecordedInfoService(void*, std::int16_t channel, std::int16_t block, vantor::ChannelScaleInfo* out) {
  if (out != nullptr) *out = RecordedOrDefault(channel, block).info;
}

void RecordedScalingService(void*, std::int16_t channel, std::int16_t block, vantor::ChannelScaling* out) {
  if (out != nullptr) *out = RecordedOrDefault(channel, block);
}

}  // namespace

void InstallDataRecordServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<DataGetChannelRecord477>(table, &DisplayedInfoService);
  vantor::SetService<DataGetChannelRecord483>(table, &DisplayedScalingService);
  vantor::SetService<DataGetChannelRecord485>(table, &DisplayedScalingService);
  vantor::SetService<DataGetChannelRecord497>(table, &RecordedInfoService);
  vantor::SetService<DataGetChannelRecord499>(table, &RecordedScalingService);
  vantor::SetService<DataGetChannelRecord501>(table, &RecordedScalingService);
}

}  // namespace host
