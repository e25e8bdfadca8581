#include "host/service_table.h"

#include "toolbox/memory.h"

namespace host {
namespace {

vantor::ServiceTable* MakeTable() {
  toolbox::ReadMemoryEnvironment();
  auto* table = static_cast<vantor::ServiceTable*>(toolbox::LowAlloc(sizeof(vantor::ServiceTable)));
  InstallMemoryServices(*table);
  InstallTextServices(*table);
  InstallAlertServices(*table);
  InstallExtensionServices(*table);
  InstallQueryServices(*table);
  InstallDataObjectServices(*table);
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
