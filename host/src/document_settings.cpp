#include "host/document_settings.h"

#include "host/document.h"
#include "host/extension_locals.h"
#include "toolbox/resources.h"

namespace host {
namespace {

constexpr std::int16_t kSaveRequest = 200;
constexpr std::int16_t kLoadRequest = 203;
constexpr std::uint32_t kLoadWithSettings = 0;
constexpr std::uint32_t kLoadWithoutSettings = 2;

void TellWithResourceFileCurrent(Document& document, std::int16_t code, std::uint32_t data) {
  const std::int16_t file = document.resourceFile();
  // Without its file the settings would land in whichever file is current.
  if (file <= 0) return;
  const std::int16_t previous = CurResFile();
  UseResFile(file);
  document.extensions().SendMenuCommand(code, 0, data);
  if (previous > 0) UseResFile(previous);
}

}  // namespace

void AnnounceDocumentSave(Document& document) {
  TellWithResourceFileCurrent(document, kSaveRequest, 0);
}

void AnnounceDocumentOpened(Document& document, bool settings) {
  TellWithResourceFileCurrent(document, kLoadRequest, settings ? kLoadWithSettings : kLoadWithoutSettings);
}

}  // namespace host
