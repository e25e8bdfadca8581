// Channel unit services: the standard scale info of a computed channel (333)
// and the unit text of a channel scaling (343).
//
// 333 (kind, variant, out): a computed channel's values carry no base unit of
// a converter; they are in the channel's units once its gain is applied, so
// the host's standard record is the default of a new channel (raw and unit
// factors 1, range ±1) without a base unit and marked computed. The host
// keeps one standard record; extensions ask for it as kind 5, variant 1, and
// any other pair gets the same.
//
// 343 (out, scaling): the text of the unit the scaling's values are shown in
// (host/channel_units.h: calibrated unit, else base unit).
#include <cstring>

#include "host/channel_units.h"
#include "host/document.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "vantor/records.h"
#include "vantor/services.h"

namespace host {
namespace {

void ComputedScaleInfoService(std::int16_t /*kind*/, std::int16_t /*variant*/,
                              vantor::ChannelScaleInfo* out) {
  if (out == nullptr) return;
  vantor::ChannelScaleInfo info = DefaultScaling().info;
  std::memset(info.baseUnitText, 0, sizeof info.baseUnitText);
  info.computedFlag = 1;
  std::memcpy(out, &info, sizeof info);
}

void UnitTextService(Str255* out, const vantor::ChannelScaling* scaling) {
  if (out == nullptr) return;
  toolbox::StorePascal(*out, scaling != nullptr ? UnitTextOf(*scaling) : std::string_view{});
}

}  // namespace

void InstallChannelUnitServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService333>(table, &ComputedScaleInfoService);
  vantor::SetService<HostService343>(table, &UnitTextService);
}

}  // namespace host
