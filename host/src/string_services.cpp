// Services that rewrite an extension's text in place: case folding (94),
// output titles (96) and clipboard lines (389). Texts are MacRoman.
//
// 94 (text, mode): mode 0 folds to lower case, 1 to upper case, accented
// letters included (so "L/S" and "l/s" compare equal after folding); other
// modes leave the text alone.
//
// 96 (template, n, title): the template's placeholder "^n" (n the digit of
// the second argument, 0..9) is replaced by the title wherever it appears;
// a template without it gets the title appended after a space. The result
// is cut at 255 characters.
//
// 389 (line): a line of text bound for the clipboard is made to paste as one
// row of tab-separated cells: control characters other than tab become
// spaces and trailing spaces are dropped.
#include <array>
#include <string>

#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "toolbox/macroman.h"
#include "vantor/services.h"

namespace host {
namespace {

enum CaseMode : std::int16_t { kLowerCase = 0, kUpperCase = 1 };

// The inverse of the Toolbox's upper-case mapping, so both directions agree.
const std::array<unsigned char, 256>& LowerCaseTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> lower{};
    for (int c = 0; c < 256; ++c) lower[c] = static_cast<unsigned char>(c);
    for (int c = 0; c < 256; ++c) {
      const unsigned char upper = toolbox::MacRomanUpperCase(static_cast<unsigned char>(c));
      if (upper != c) lower[upper] = static_cast<unsigned char>(c);
    }
    return lower;
  }();
  return table;
}

void FoldCaseService(unsigned char* text, std::int16_t mode) {
  if (text == nullptr || (mode != kLowerCase && mode != kUpperCase)) return;
  for (int i = 1; i <= text[0]; ++i) {
    text[i] = mode == kLowerCase ? LowerCaseTable()[text[i]] : toolbox::MacRomanUpperCase(text[i]);
  }
}

void OutputTitleService(unsigned char* templateText, std::int16_t placeholder, ConstStr255Param title) {
  if (templateText == nullptr) return;
  const std::string_view name = toolbox::PascalView(title);
  const std::string pattern = {'^', static_cast<char>('0' + (placeholder % 10 + 10) % 10)};
  std::string text(toolbox::PascalView(templateText));
  std::size_t at = text.find(pattern);
  if (at == std::string::npos) {
    if (!text.empty() && text.back() != ' ') text += ' ';
    text += name;
  }
  for (; at != std::string::npos; at = text.find(pattern, at + name.size())) {
    text.replace(at, pattern.size(), name);
  }
  toolbox::StorePascal(templateText, text);
}

void ClipboardLineService(unsigned char* line) {
  if (line == nullptr) return;
  for (int i = 1; i <= line[0]; ++i) {
    if (line[i] < 0x20 && line[i] != '\t') line[i] = ' ';
  }
  while (line[0] > 0 && line[line[0]] == ' ') --line[0];
}

}  // namespace

void InstallStringServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService94>(table, &FoldCaseService);
  vantor::SetService<HostService96>(table, &OutputTitleService);
  vantor::SetService<HostService389>(table, &ClipboardLineService);
}

}  // namespace host
