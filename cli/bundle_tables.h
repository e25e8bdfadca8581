// The sizes of the tables the computed functions keep in the bundle's
// resources, so that a row the functions do not have is refused before
// anything is computed.
#pragma once

#include "host/bundle.h"

namespace cli {

struct BundleTables {
  int flowHeadModels = 0;       // rows of the flow-head model table
  int correctionThresholds = 0; // rows of the volume correction threshold table
};

BundleTables TablesOf(const host::Bundle& bundle);

}  // namespace cli
