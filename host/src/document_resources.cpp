#include "host/document_resources.h"

#include "host/extension_locals.h"
#include "toolbox/resources.h"

namespace host {

DocumentResources::~DocumentResources() {
  if (refNum_ > 0) CloseResFile(refNum_);
}

std::int16_t DocumentResources::refNum() {
  if (refNum_ <= 0) {
    const SInt16 saved = CurResFile();
    refNum_ = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
    if (refNum_ < 0) refNum_ = 0;
    UseResFile(saved);
  }
  return refNum_;
}

std::vector<unsigned char> DocumentResources::Bytes() {
  const std::int16_t file = refNum();
  if (file <= 0) return {};
  UpdateResFile(file);
  return toolbox::ResourceFileBytes(file);
}

bool DocumentResources::Replace(const std::vector<unsigned char>& bytes) {
  const SInt16 saved = CurResFile();
  const SInt16 opened = toolbox::OpenResourceBytes(bytes);
  UseResFile(saved == refNum_ ? opened : saved);
  if (opened <= 0) return false;
  if (refNum_ > 0) CloseResFile(refNum_);
  refNum_ = opened;
  return true;
}

void SendSettingsRequest(Document& document, std::int16_t request) {
  const std::int16_t file = document.resources().refNum();
  if (file <= 0) return;
  const SInt16 saved = CurResFile();
  UseResFile(file);
  document.extensions().SendMenuCommand(request, 0, 0);
  UseResFile(saved);
}

}  // namespace host
