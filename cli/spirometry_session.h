// The "Spirometry" window extension on a document, driven as a host drives it
// for a user at the screen: the selection, the extension's menu commands,
// its dialogs answered from scripts, its windows drawn, copied and printed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/document.h"
#include "host/extension_locals.h"
#include "host/selection.h"
#include "toolbox/script.h"
#include "toolbox/windows.h"

namespace cli {

// The extension's window kinds, in the order of its show commands.
enum class SpiroWindow : std::int16_t { kData = 1, kLoop = 2, kReport = 3 };

// Copy dialog answers: the picture at normal size or the labelled text (1),
// four times the size or the values on one line (4).
enum class CopyFormat : std::int16_t { kNormal = 1, kLarge = 4 };

class SpirometrySession {
 public:
  // The document must be current while the session lives.
  SpirometrySession(host::Document& document, const host::Extension& spirometry);
  ~SpirometrySession();
  SpirometrySession(const SpirometrySession&) = delete;
  SpirometrySession& operator=(const SpirometrySession&) = delete;

  // False when the extension would not open on the document (its alert is
  // among the host's alerts).
  bool opened() const { return document_.extensions().Find(spirometry_.hostRef) != nullptr; }


  void Select(host::PositionRange range);
  // The settings (forced expiration factor, report graph, flow threshold) or
  // subject dialog, answered by the script; true when the script was used up
  // (the dialog ran to the script's last action).
  bool EditSettings(std::vector<toolbox::ScriptAction> script);
  bool EditSubject(std::vector<toolbox::ScriptAction> script);

  // Brings the window to the front, creating it when needed, and lets the
  // host's event dispatch draw it. Null when it could not be made.
  WindowRef Show(SpiroWindow kind);
  // Copies the front window's content through the copy dialog.
  bool Copy(SpiroWindow kind, CopyFormat format);
  // Prints the report through the print dialog (answered OK); the host
  // writes the pages to `pdfPath`.
  void PrintReport(const std::string& pdfPath);

 private:
  bool Perform(std::uint16_t localCode, std::vector<toolbox::ScriptAction> script);
  host::Document& document_;
  const host::Extension& spirometry_;
  bool openedHere_ = false;
};

}  // namespace cli
