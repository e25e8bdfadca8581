#include "frame/host_services.h"

#include "vantor/byte_access.h"

namespace spiro {

namespace {

const vantor::ServiceTable* gServiceTable = nullptr;
void* gDataObject = nullptr;

}  // namespace

void SetHostServiceTable(std::uint32_t address) {
  gServiceTable = vantor::PointerFromU32<const vantor::ServiceTable>(address);
}

const vantor::ServiceTable* HostServiceTable() { return gServiceTable; }

void* HostDataObject() {
  if (gDataObject == nullptr) gDataObject = HostGetDataObject(1);
  return gDataObject;
}

void ForgetHostDataObject() { gDataObject = nullptr; }

}  // namespace spiro
