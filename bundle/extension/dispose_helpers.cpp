#include "extension/dispose_helpers.h"

#include "frame/host_services_memory.h"
#include "frame/host_services_scales.h"

namespace spiro {

namespace {

template <class Reference, class Dispose>
void DisposeAndClear(Reference* reference, Dispose dispose) {
  // Cleared before the disposal, so nothing reached from it sees a stale reference.
  Reference value = *reference;
  *reference = nullptr;
  if (value != nullptr) dispose(value);
}

}  // namespace

void DisposeHandleAndClear(Handle* handle) { DisposeAndClear(handle, HostDisposeHandle); }

void DisposePtrAndClear(Ptr* pointer) { DisposeAndClear(pointer, HostDisposePtr); }

void DisposeRgnAndClear(RgnHandle* region) { DisposeAndClear(region, DisposeRgn); }

void DisposeWindowAndClear(WindowRef* window) { DisposeAndClear(window, DisposeWindow); }

void DisposeDialogAndClear(DialogRef* dialog) { DisposeAndClear(dialog, DisposeDialog); }

void DisposeMenuAndClear(MenuRef* menu) { DisposeAndClear(menu, DisposeMenu); }

void DisposeObjectAndClear(void** object) { DisposeAndClear(object, HostDisposeObject384); }

void DisposeModalFilterAndClear(ModalFilterUPP* filter) {
  DisposeAndClear(filter, DisposeModalFilterUPP);
}

}  // namespace spiro
