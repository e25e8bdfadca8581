#include "spirometry/analysis_channels.h"

#include <array>

#include "extension/resource_text_helpers.h"
#include "frame/host_services_data.h"
#include "frame/host_services_host.h"
#include "frame/host_services_strings.h"
#include "util/pstring.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr std::int16_t kChannelCountSelector = 1539;
constexpr std::int16_t kLowerCase = 0;

constexpr auto kLs = PStringLiteral("l/s");
constexpr auto kLsec = PStringLiteral("l/sec");
constexpr auto kMls = PStringLiteral("ml/s");
constexpr auto kMlsec = PStringLiteral("ml/sec");
constexpr auto kLmin = PStringLiteral("l/min");
constexpr auto kMlmin = PStringLiteral("ml/min");
constexpr auto kL = PStringLiteral("l");
constexpr auto kMl = PStringLiteral("ml");

constexpr std::array<const unsigned char*, 6> kFlowUnits = {kLs.data(), kLsec.data(), kMls.data(),
                                                            kMlsec.data(), kLmin.data(), kMlmin.data()};
constexpr std::array<const unsigned char*, 2> kVolumeUnits = {kL.data(), kMl.data()};

template <std::size_t N>
bool QualifiesAs(std::int16_t channel, std::int16_t block, const LocalDataType& record,
                 std::int16_t functionId, const std::array<const unsigned char*, N>& units) {
  if (channel < 1 || channel > record.channelCount) return false;
  if (HostService572(channel) == functionId) return true;
  if (DataChannelHasBlock(channel, block) == 0) return false;
  Str255 text;
  ChannelUnitText(channel, block, text);
  for (const unsigned char* unit : units) {
    if (ComparePStrings(text, unit) == 0) return true;
  }
  return false;
}

}  // namespace

void ChannelUnitText(std::int16_t channel, std::int16_t block, StringPtr text) {
  text[0] = 0;
  if (DataChannelHasBlock(channel, block) == 0) return;
  vantor::ChannelScaling scaling{};
  DataGetChannelRecord485(channel, block, &scaling);
  FormatText(scaling, text);
  HostService94(text, kLowerCase);
}

bool IsFlowChannel(std::int16_t channel, std::int16_t block, const LocalDataType& record) {
  return QualifiesAs(channel, block, record, record.flowFunctionId, kFlowUnits);
}

bool IsVolumeChannel(std::int16_t channel, std::int16_t block, const LocalDataType& record) {
  return QualifiesAs(channel, block, record, record.volumeFunctionId, kVolumeUnits);
}

std::int16_t FindSpirometerChannel() {
  const auto count = static_cast<std::int32_t>(HostQueryValue(kChannelCountSelector));
  for (std::int32_t c = 1; c <= count && c <= INT16_MAX; ++c) {
    if (IsSpirometerChannel(static_cast<std::int16_t>(c))) return static_cast<std::int16_t>(c);
  }
  return 0;
}

}  // namespace spirometry

}  // namespace spiro
