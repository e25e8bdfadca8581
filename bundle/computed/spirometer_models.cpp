// The model table lives in the flow function's resources; its entries are
// integers in thousandths.
#include "computed/flow_coefficients.h"
#include "computed/own_strings.h"
#include "computed/resp_flow_extension.h"
#include "frame/host_services_strings.h"

namespace spiro {

namespace {

constexpr double kTableUnitsPerUnit = 1000.0;

double TableNumber(std::int32_t index) {
  Str255 text;
  ReadOwnString(gRespFlowExtension, kSpirometerModelListId, index, text);
  return static_cast<double>(HostStringToLong(text)) / kTableUnitsPerUnit;
}

}  // namespace

FlowHeadCoefficients SpirometerModelCoefficients(std::int16_t model) {
  const std::int32_t row = model;
  return {TableNumber(2 * row - 1), TableNumber(2 * row)};
}

}  // namespace spiro
