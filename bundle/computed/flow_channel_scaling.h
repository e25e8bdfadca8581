// Puts the flow head's coefficients (per base unit) into the sample-value
// terms of one block of the source, folding in a calibration offset where the
// source's calibration allows it.
#pragma once

#include <cstdint>

#include "computed/resp_flow_settings.h"
#include "vantor/records.h"

namespace spiro {

// The source's records for a block: those of its displayed samples when the
// source is computed, of its recorded samples otherwise.
vantor::ChannelScaleInfo FlowSourceScaleInfo(const RespFlowSettings& settings, std::int16_t block);
vantor::ChannelScaling FlowSourceScaling(const RespFlowSettings& settings, std::int16_t block);

// Sets valueNonlinearity, valueOffset and unitsConversionPending (and may set
// correctionActive) from the source block's records.
void FoldChannelScaling(RespFlowSettings& settings, const vantor::ChannelScaleInfo& info,
                        const vantor::ChannelScaling& scaling);

// A flow head's signal: a two-character volt unit ("mV", "uV").
namespace flow {
bool IsVoltSignal(const vantor::ChannelScaleInfo& info);
}

// FoldChannelScaling with the source's records for the block (-1: the block
// being sampled).
void ApplyChannelScaling(std::int16_t block, RespFlowSettings& settings);

}  // namespace spiro
