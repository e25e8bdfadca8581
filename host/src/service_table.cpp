#include "host/service_table.h"

#include "host/memory_switches.h"
#include "toolbox/memory.h"

namespace host {
namespace {

vantor::ServiceTable* MakeTable() {
  ApplyMemorySwitches();
  auto* table = static_cast<vantor::ServiceTable*>(toolbox::LowAlloc(sizeof(vantor::ServiceTable)));
#define VANTOR_INSTALL_SERVICE_GROUP(group) Install##group##Services(*table);
  VANTOR_HOST_SERVICE_GROUPS(VANTOR_INSTALL_SERVICE_GROUP)
#undef VANTOR_INSTALL_SERVICE_GROUP
  InstallPlaceholderServices(*table);
  return table;
}

}  // namespace

vantor::ServiceTable& Services() {
  static vantor::ServiceTable* table = MakeTable();
  return *table;
}

std::uint32_t ServicesAddress() { return toolbox::ToU32(&Services()); }

}  // namespace host
