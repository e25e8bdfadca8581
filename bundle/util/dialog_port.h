// Drawing into a dialog from an item procedure or a filter: its port is made
// current for the scope and the previous port put back.
#pragma once

#include "toolbox/dialogs.h"
#include "toolbox/quickdraw.h"

namespace spiro {

class ScopedDialogPort {
 public:
  explicit ScopedDialogPort(void* dialog) { QDSwapPort(GetDialogPort(static_cast<DialogRef>(dialog)), &saved_); }
  ~ScopedDialogPort() { SetPort(saved_); }
  ScopedDialogPort(const ScopedDialogPort&) = delete;
  ScopedDialogPort& operator=(const ScopedDialogPort&) = delete;

 private:
  CGrafPtr saved_ = nullptr;
};

}  // namespace spiro
