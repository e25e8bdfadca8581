// The clipboard read back by the host after an extension copied: its text
// for a file, its picture as a PICT file or drawn to PNG.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host {

// The "TEXT" flavour as UTF-8, carriage returns turned into line feeds;
// nothing when the clipboard holds no text.
std::optional<std::string> ClipboardText();
// The "PICT" flavour's bytes; nothing when the clipboard holds no picture.
std::optional<std::vector<unsigned char>> ClipboardPicture();

// Each writes the file whole or not at all; false with one line in `error`
// when the clipboard lacks the flavour or the file cannot be written.
bool WriteClipboardText(const std::string& path, std::string* error);
bool WriteClipboardPictureFile(const std::string& path, std::string* error);  // PICT with its header
bool WriteClipboardPictureAsPng(const std::string& path, std::string* error);  // through the PICT reader

}  // namespace host
