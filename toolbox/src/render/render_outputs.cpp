// Ready-made outputs: a list as an image, a port or a picture as a PNG file.
#include "toolbox/pict.h"
#include "toolbox/render.h"

namespace toolbox {

RasterImage RenderToImage(const DisplayList& list, const Rect& area) {
  std::vector<RasterImage> pages;
  {
    auto renderer = NewRasterRenderer(&pages);
    renderer->BeginPage(area);
    renderer->RenderDisplayList(list);
    renderer->EndPage();
  }
  return pages.empty() ? RasterImage{} : std::move(pages.front());
}

bool WritePortPng(CGrafPtr port, const std::string& path, std::string* error) {
  if (port == nullptr || EmptyRect(&port->portRect)) {
    if (error != nullptr) *error = "the port has nothing to show";
    return false;
  }
  return WritePng(RenderToImage(port->displayList, port->portRect), path, error);
}

bool WritePictAsPng(std::span<const unsigned char> pict, const std::string& path, std::string* error) {
  std::string why;
  const auto contents = ReadPict(pict, &why);
  if (!contents) {
    if (error != nullptr) *error = "damaged picture: " + why;
    return false;
  }
  const Rect& frame = contents->frame;
  if (EmptyRect(&frame)) {
    if (error != nullptr) *error = "the picture's frame is empty";
    return false;
  }
  if (long{frame.right - frame.left} * (frame.bottom - frame.top) > kMaxRasterPixels) {
    if (error != nullptr) *error = "the picture's frame is too large to draw";
    return false;
  }
  return WritePng(RenderToImage(contents->list, contents->frame), path, error);
}

}  // namespace toolbox
