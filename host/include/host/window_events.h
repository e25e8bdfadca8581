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

// The user's actions on the front extension window, taken from the front of
// the script as a host's event loop takes the mouse, with the window events
// dispatched before and after each:
//   click H V      at that point of the front window, where FindWindow puts it:
//                  content: the cursor there (message 15), then the click (14);
//                  grow box: 12; zoom box: 13; close box: DoMenuCommand 601;
//                  title bar: the drag action that follows moves the window,
//                  then DoMenuCommand 600. A click in another extension
//                  window only brings it to the front.
//   grow W H       the window's grow box pressed (12), then grown to W × H
//   zoom T L B R   the zoom box pressed (13), the window zoomed to the rect
//   drag L T       the window dragged there, then DoMenuCommand 600
// Stops at the first action of another kind (a dialog's) or when no
// extension window is in front. Returns how many actions were taken.
int DispatchUserActions(Document& document);

}  // namespace host
