// Loading font files through FreeType into cairo, once per font and size.
#include "font_cache.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "toolbox/fonts.h"
#include "toolbox/macroman.h"

namespace toolbox::internal {
namespace {

const cairo_user_data_key_t kFaceKey{};

class FontCache {
 public:
  FontCache() {
    if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
  }
  // Lives for the process: cairo keeps recently used fonts, and with them
  // FreeType faces, in caches of its own that outlast any exit-time teardown.
  ~FontCache() = delete;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  const LoadedFont& Get(SInt16 fontNumber, SInt16 size, Style face) {
    // Font numbers that share a file share an entry; underline, outline and shadow change no width.
    const auto key = std::make_tuple(FaceKey(fontNumber, face), size, static_cast<Style>(face & (condense | extend)));
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
      if (fonts_.size() >= kMaxLoadedFonts) DropFonts();
      found = fonts_.emplace(key, Load(fontNumber, size, face)).first;
    }
    return *found->second;
  }

 private:
  // Pictures from elsewhere may use any font and size, so the cache is bounded.
  static constexpr std::size_t kMaxLoadedFonts = 256;

  void DropFonts() {
    for (auto& [key, font] : fonts_) cairo_scaled_font_destroy(font->scaled);
    fonts_.clear();
  }

  static std::string FaceKey(SInt16 fontNumber, Style face) {
    const std::string path = FontFilePath(fontNumber, face);
    if (!path.empty()) return path;
    const bool isBold = (face & bold) != 0 || fontNumber == systemFont;
    return std::string("fallback:") + (isBold ? "b" : "") + ((face & italic) != 0 ? "i" : "");
  }

  cairo_font_face_t* FaceFor(SInt16 fontNumber, Style face) {
    const std::string key = FaceKey(fontNumber, face);
    const std::string path = FontFilePath(fontNumber, face);
    auto found = faces_.find(key);
    if (found != faces_.end()) return found->second;
    cairo_font_face_t* loaded = path.empty() ? nullptr : LoadFile(path);
    if (loaded == nullptr) loaded = FallbackFace(fontNumber, face);
    faces_.emplace(key, loaded);
    return loaded;
  }

  cairo_font_face_t* LoadFile(const std::string& path) {
    FT_Face ftFace = nullptr;
    if (library_ == nullptr || FT_New_Face(library_, path.c_str(), 0, &ftFace) != 0) return nullptr;
    cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
    // The FreeType face must outlive the cairo face that draws with it.
    if (cairo_font_face_set_user_data(face, &kFaceKey, ftFace, [](void* f) {
          FT_Done_Face(static_cast<FT_Face>(f));
        }) != CAIRO_STATUS_SUCCESS) {
      cairo_font_face_destroy(face);
      FT_Done_Face(ftFace);
      return nullptr;
    }
    return face;
  }

  static cairo_font_face_t* FallbackFace(SInt16 fontNumber, Style face) {
    const bool isBold = (face & bold) != 0 || fontNumber == systemFont;
    return cairo_toy_font_face_create("sans-serif",
                                      (face & italic) != 0 ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                      isBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  }

  static constexpr SInt16 kLargestCrispSize = 10;

  std::unique_ptr<LoadedFont> Load(SInt16 fontNumber, SInt16 size, Style face) {
    auto font = std::make_unique<LoadedFont>();
    font->pixelSize = EffectiveTextSize(size);
    cairo_matrix_t fontMatrix;
    cairo_matrix_t identity;
    cairo_matrix_init_scale(&fontMatrix, font->pixelSize, font->pixelSize);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    // Smoothed, the thin stems of small text come out pale grey; drawn
    // whole-pixel they read black, as the platform's bitmap sizes did.
    if (font->pixelSize <= kLargestCrispSize) cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    font->scaled = cairo_scaled_font_create(FaceFor(fontNumber, face), &fontMatrix, &identity, options);
    cairo_font_options_destroy(options);
    FillGlyphTable(*font, face);
    FillFontInfo(*font);
    return font;
  }

  static void FillGlyphTable(LoadedFont& font, Style face) {
    const int widthAdjust = ((face & extend) != 0 ? 1 : 0) - ((face & condense) != 0 ? 1 : 0);
    for (int byte = 0x20; byte < 256; ++byte) {
      if (byte == 0x7F) continue;
      const std::string utf8 = MacRomanToUtf8(std::string(1, static_cast<char>(byte)));
      cairo_glyph_t* glyphs = nullptr;
      int count = 0;
      if (cairo_scaled_font_text_to_glyphs(font.scaled, 0, 0, utf8.data(), static_cast<int>(utf8.size()),
                                           &glyphs, &count, nullptr, nullptr, nullptr) !=
              CAIRO_STATUS_SUCCESS ||
          count < 1) {
        cairo_glyph_free(glyphs);
        continue;
      }
      cairo_text_extents_t extents;
      cairo_scaled_font_glyph_extents(font.scaled, glyphs, 1, &extents);
      const auto index = static_cast<std::size_t>(byte);
      font.glyphs[index] = glyphs[0].index;
      font.advances[index] = static_cast<SInt16>(std::max(0L, std::lround(extents.x_advance) + widthAdjust));
      font.drawable[index] = true;
      cairo_glyph_free(glyphs);
    }
  }

  static void FillFontInfo(LoadedFont& font) {
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font.scaled, &extents);
    const auto ascent = static_cast<SInt16>(std::ceil(extents.ascent));
    const auto descent = static_cast<SInt16>(std::ceil(extents.descent));
    const auto leading = static_cast<SInt16>(std::max(0L, std::lround(extents.height) - ascent - descent));
    const SInt16 widest = *std::max_element(font.advances.begin(), font.advances.end());
    font.info = FontInfo{ascent, descent, widest, leading};
  }

  FT_Library library_ = nullptr;
  std::map<std::string, cairo_font_face_t*> faces_;
  std::map<std::tuple<std::string, SInt16, Style>, std::unique_ptr<LoadedFont>> fonts_;
};

FontCache& TheCache() {
  static FontCache* cache = new FontCache;
  return *cache;
}

}  // namespace

const LoadedFont& FontFor(SInt16 fontNumber, SInt16 size, Style face) {
  return TheCache().Get(fontNumber, std::min(EffectiveTextSize(size), kMaxTextSize), face);
}

}  // namespace toolbox::internal
