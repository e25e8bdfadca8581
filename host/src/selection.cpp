#include "host/selection.h"

#include "host/document.h"
#include "host/extension_locals.h"
#include "vantor/messages.h"

namespace host {

void Selection::Select(PositionRange range, int channel) {
  selected_ = range;
  channel_ = channel;
}

void Selection::Clear() {
  selected_.reset();
  channel_ = 0;
}

void ChangeSelection(Document& document, PositionRange range, int channel) {
  document.selection().Select(range, channel);
  document.extensions().SendMenuCommand(vantor::general::kInvalidateAnalysis, 0, 0);
}

}  // namespace host
