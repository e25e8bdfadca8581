#include "bundle_tables.h"

#include "toolbox/memory.h"
#include "toolbox/resources.h"

namespace cli {
namespace {

// String lists of two entries per row.
constexpr SInt16 kModelTableId = 8301;
constexpr SInt16 kThresholdTableId = 8501;

int RowsOf(SInt16 listId) {
  Handle list = Get1Resource(FourCharCode("STR#"), listId);
  if (list == nullptr || GetHandleSize(list) < 2) return 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(*list);
  return ((bytes[0] << 8) | bytes[1]) / 2;
}

}  // namespace

BundleTables TablesOf(const host::Bundle& bundle) {
  const SInt16 saved = CurResFile();
  UseResFile(bundle.resourceFile());
  const BundleTables tables{RowsOf(kModelTableId), RowsOf(kThresholdTableId)};
  UseResFile(saved);
  return tables;
}

}  // namespace cli
