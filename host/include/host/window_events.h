// What a host's event loop does for the windows extensions made, between the
// user's actions: windows whose content was invalidated are redrawn by their
// extension (message 11), and a change of front window is told to the
// extensions whose windows lost and gained it (message 16).
#pragma once

#include "toolbox/mac_types.h"
#include "toolbox/windows.h"

namespace host {

class Document;
struct Extension;

// The extension open on the document that owns the window (message 10), and
// its local data; null when none claims it.
const Extension* OwnerOfWindow(Document& document, WindowRef window, Handle* local);

// Activation first (so a window redraws in its new state), then updates, in
// the order the windows were made. Returns how many updates were sent.
int DispatchWindowEvents(Document& document);

}  // namespace host
