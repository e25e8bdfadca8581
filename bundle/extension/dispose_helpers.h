// Dispose-and-clear: each takes the address of a reference, disposes of what
// it refers to when it is not null, and nulls it, so a record that owns the
// reference can never free it twice.
#pragma once

#include "toolbox/dialogs.h"
#include "toolbox/mac_types.h"
#include "toolbox/menus.h"
#include "toolbox/quickdraw.h"
#include "toolbox/windows.h"

namespace spiro {

void DisposeHandleAndClear(Handle* handle);
void DisposePtrAndClear(Ptr* pointer);
void DisposeRgnAndClear(RgnHandle* region);
void DisposeWindowAndClear(WindowRef* window);
void DisposeDialogAndClear(DialogRef* dialog);
void DisposeMenuAndClear(MenuRef* menu);
// A host object (a scale) made by the host's services.
void DisposeObjectAndClear(void** object);
void DisposeModalFilterAndClear(ModalFilterUPP* filter);

}  // namespace spiro
