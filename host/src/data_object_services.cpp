// HostGetDataObject (654): the object the data services are called on. One
// object for the whole host, in the low arena since its address travels in
// 32-bit fields; it stands for "the documents", whichever is current.
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "vantor/services.h"

namespace host {
namespace {

void* DataObject() {
  static void* object = toolbox::LowAlloc(16);
  return object;
}

void* GetDataObjectService(std::int16_t) { return DataObject(); }

}  // namespace

void InstallDataObjectServices(vantor::ServiceTable& table) {
  vantor::SetService<vantor::service::HostGetDataObject>(table, &GetDataObjectService);
}

}  // namespace host
