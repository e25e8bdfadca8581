// Feeds arbitrary bytes to the dialog and window template parsers, and runs
// a dialog made from any item list they accept. Anything may be refused;
// nothing may read outside the input or crash.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "toolbox/dialogs.h"
#include "toolbox/memory.h"
#include "toolbox/resource_templates.h"
#include "toolbox/resources.h"
#include "toolbox/script.h"

namespace {

// A dialog template naming item list 128, visible so that it is drawn.
const std::vector<unsigned char> kDialogTemplate{0, 10, 0, 10, 0, 110, 1, 54, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 128, 0};

void RunDialog(std::span<const unsigned char> itemList) {
  const SInt16 file = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
  Handle dlog = NewHandle(static_cast<Size>(kDialogTemplate.size()));
  std::copy(kDialogTemplate.begin(), kDialogTemplate.end(), *dlog);
  AddResource(dlog, FourCharCode("DLOG"), 128, nullptr);
  Handle ditl = NewHandle(static_cast<Size>(itemList.size()));
  std::copy(itemList.begin(), itemList.end(), *ditl);
  AddResource(ditl, FourCharCode("DITL"), 128, nullptr);
  if (DialogRef d = GetNewDialog(128, nullptr, nullptr)) {
    toolbox::PushScriptAction(toolbox::ItemHitAction(1));
    toolbox::PushScriptAction(toolbox::TypeTextAction(2, "typed"));
    DialogItemIndex hit = 0;
    ModalDialog(nullptr, &hit);
    ModalDialog(nullptr, &hit);
    DrawDialog(d);
    DisposeDialog(d);
  }
  toolbox::ClearScript();
  CloseResFile(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const unsigned char> bytes(data, size);
  toolbox::ParseWindowTemplate(bytes);
  toolbox::ParseDialogTemplate(bytes);
  toolbox::ParseControlTemplate(bytes);
  if (toolbox::ParseDialogItemList(bytes)) RunDialog(bytes);
  return 0;
}
