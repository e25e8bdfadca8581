// libFuzzer target over the PICT reader and the raster renderer. Any input
// must be refused or read consistently: what the reader accepts must write
// and read back to the same operations, and must render without faults.
//
// Build with clang (see fuzz/CMakeLists.txt), or by hand:
//   clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
//     -Itoolbox/include $(printf -- "-I%s " toolbox/src/*/) $(pkg-config --cflags --libs cairo cairo-ft freetype2) \
//     fuzz/pict_reader_fuzz.cpp toolbox/src/*/*.cpp -o pict_reader_fuzz && ./pict_reader_fuzz -max_len=8192
#include <cstdint>
#include <cstdlib>
#include <span>

#include "toolbox/pict.h"
#include "toolbox/render.h"

namespace {

constexpr int kMaxRenderedSide = 256;
constexpr int kMaxWrittenImageWidth = 4095;  // wider images do not fit a pixel map row

bool Writable(const toolbox::PictContents& contents) {
  for (const toolbox::DrawOp& op : contents.list.ops) {
    if (op.kind == toolbox::DrawKind::kImage && op.imageWidth > kMaxWrittenImageWidth) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto contents = toolbox::ReadPict(std::span<const unsigned char>(data, size));
  if (!contents) return 0;
  if (Writable(*contents)) {
    const auto again = toolbox::ReadPict(toolbox::WritePict(contents->frame, contents->list));
    if (!again || !(again->list == contents->list)) std::abort();
  }
  const Rect& frame = contents->frame;
  if (frame.right > frame.left && frame.bottom > frame.top && frame.right - frame.left <= kMaxRenderedSide &&
      frame.bottom - frame.top <= kMaxRenderedSide)
    (void)toolbox::RenderToImage(contents->list, frame);
  return 0;
}
