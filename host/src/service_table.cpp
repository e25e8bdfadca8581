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
  InstallDataPositionServices(*table);
  InstallDataSampleServices(*table);
  InstallDataRecordServices(*table);
  InstallRangeServices(*table);
  InstallCommandServices(*table);
  InstallChannelServices(*table);
  InstallNumberFormatServices(*table);
  InstallChannelUnitServices(*table);
  InstallStringServices(*table);
  InstallListStringServices(*table);
  InstallBusyServices(*table);
  InstallOutputRequestServices(*table);
  InstallPenStyleServices(*table);
  InstallShadingServices(*table);
  InstallTextDrawingServices(*table);
  InstallIconServices(*table);
  InstallTextBufferServices(*table);
  InstallDialogItemServices(*table);
  InstallDialogNumberServices(*table);
  InstallDialogProcedureServices(*table);
  InstallWindowServices(*table);
  InstallWindowPlacementServices(*table);
  InstallChannelMenuServices(*table);
  InstallModalDialogServices(*table);
  InstallScaleServices(*table);
  InstallOutputJobServices(*table);
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
