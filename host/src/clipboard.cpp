#include "host/clipboard.h"

#include <algorithm>

#include "toolbox/file_bytes.h"
#include "toolbox/macroman.h"
#include "toolbox/pict.h"
#include "toolbox/render.h"
#include "toolbox/scrap.h"

namespace host {
namespace {

std::optional<std::vector<unsigned char>> Flavor(ScrapFlavorType type) {
  for (toolbox::ScrapFlavor& flavor : toolbox::CurrentScrapFlavors()) {
    if (flavor.type == type) return std::move(flavor.data);
  }
  return std::nullopt;
}

bool Fail(std::string* error, const std::string& why) {
  if (error != nullptr) *error = why;
  return false;
}

bool Written(OSErr result, const std::string& path, std::string* error) {
  return result == noErr || Fail(error, "cannot write " + path);
}

}  // namespace

std::optional<std::string> ClipboardText() {
  const auto bytes = Flavor(kScrapFlavorTypeText);
  if (!bytes) return std::nullopt;
  std::string text = toolbox::MacRomanToUtf8(std::string(bytes->begin(), bytes->end()));
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

std::optional<std::vector<unsigned char>> ClipboardPicture() { return Flavor(kScrapFlavorTypePicture); }

bool WriteClipboardText(const std::string& path, std::string* error) {
  const auto text = ClipboardText();
  if (!text) return Fail(error, "the clipboard holds no text");
  return Written(toolbox::WriteFileBytesAtomically(path, std::vector<unsigned char>(text->begin(), text->end())),
                 path, error);
}

bool WriteClipboardPictureFile(const std::string& path, std::string* error) {
  const auto picture = ClipboardPicture();
  if (!picture) return Fail(error, "the clipboard holds no picture");
  const OSErr result = toolbox::WritePictFile(path, *picture);
  if (result == paramErr) return Fail(error, "the clipboard's picture is damaged");
  return Written(result, path, error);
}

bool WriteClipboardPictureAsPng(const std::string& path, std::string* error) {
  const auto picture = ClipboardPicture();
  if (!picture) return Fail(error, "the clipboard holds no picture");
  return toolbox::WritePictAsPng(*picture, path, error);
}

}  // namespace host
