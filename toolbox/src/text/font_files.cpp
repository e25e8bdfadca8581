// Which installed file stands for a font number and face.
#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "toolbox/fonts.h"

namespace toolbox {
namespace {

enum class Family { kSans, kSerif, kMono };
enum Variant { kRegular, kBold, kItalic, kBoldItalic, kVariantCount };

// Candidates per family and variant, preferred first.
using Candidates = std::array<std::array<std::string_view, 2>, kVariantCount>;

constexpr Candidates kSans{{
    {"liberation2/LiberationSans-Regular.ttf", "dejavu/DejaVuSans.ttf"},
    {"liberation2/LiberationSans-Bold.ttf", "dejavu/DejaVuSans-Bold.ttf"},
    {"liberation2/LiberationSans-Italic.ttf", "dejavu/DejaVuSans-Oblique.ttf"},
    {"liberation2/LiberationSans-BoldItalic.ttf", "dejavu/DejaVuSans-BoldOblique.ttf"},
}};
constexpr Candidates kSerif{{
    {"liberation2/LiberationSerif-Regular.ttf", "dejavu/DejaVuSerif.ttf"},
    {"liberation2/LiberationSerif-Bold.ttf", "dejavu/DejaVuSerif-Bold.ttf"},
    {"liberation2/LiberationSerif-Italic.ttf", "dejavu/DejaVuSerif-Italic.ttf"},
    {"liberation2/LiberationSerif-BoldItalic.ttf", "dejavu/DejaVuSerif-BoldItalic.ttf"},
}};
constexpr Candidates kMono{{
    {"liberation2/LiberationMono-Regular.ttf", "dejavu/DejaVuSansMono.ttf"},
    {"liberation2/LiberationMono-Bold.ttf", "dejavu/DejaVuSansMono-Bold.ttf"},
    {"liberation2/LiberationMono-Italic.ttf", "dejavu/DejaVuSansMono-Oblique.ttf"},
    {"liberation2/LiberationMono-BoldItalic.ttf", "dejavu/DejaVuSansMono-BoldOblique.ttf"},
}};

constexpr std::array<std::string_view, 2> kFontRoots{"/usr/share/fonts/truetype/",
                                                     "/usr/local/share/fonts/truetype/"};

Family FamilyOf(SInt16 fontNumber) {
  switch (fontNumber) {
    case kFontIDNewYork:
    case kFontIDTimes:
      return Family::kSerif;
    case kFontIDMonaco:
    case kFontIDCourier:
      return Family::kMono;
    default:
      return Family::kSans;
  }
}

const Candidates& CandidatesOf(Family family) {
  switch (family) {
    case Family::kSerif:
      return kSerif;
    case Family::kMono:
      return kMono;
    case Family::kSans:
      break;
  }
  return kSans;
}

}  // namespace

SInt16 EffectiveTextSize(SInt16 size) { return size > 0 ? size : kDefaultTextSize; }

std::string_view FontFamilyName(SInt16 fontNumber) {
  switch (FamilyOf(fontNumber)) {
    case Family::kSerif:
      return "Times";
    case Family::kMono:
      return "Courier";
    case Family::kSans:
      break;
  }
  return "Helvetica";
}

namespace {

std::string FindInstalled(Family family, int variant) {
  for (std::string_view candidate : CandidatesOf(family)[static_cast<std::size_t>(variant)]) {
    for (std::string_view root : kFontRoots) {
      std::string path = std::string(root) + std::string(candidate);
      std::error_code error;
      if (std::filesystem::is_regular_file(path, error)) return path;
    }
  }
  return {};
}

}  // namespace

std::string FontFilePath(SInt16 fontNumber, Style face) {
  const bool isBold = (face & bold) != 0 || fontNumber == systemFont;
  const bool isItalic = (face & italic) != 0;
  const int variant = (isBold ? kBold : kRegular) + (isItalic ? kItalic : kRegular);
  const Family family = FamilyOf(fontNumber);
  // Looked up once per family and variant: text is measured far too often to ask the file system each time.
  static std::array<std::array<std::optional<std::string>, kVariantCount>, 3> found;
  auto& slot = found[static_cast<std::size_t>(family)][static_cast<std::size_t>(variant)];
  if (!slot) slot = FindInstalled(family, variant);
  return *slot;
}

}  // namespace toolbox
