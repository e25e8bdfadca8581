#include "spirometry_session.h"

#include "host/command_delivery.h"
#include "host/extension_locals.h"
#include "host/extension_registry.h"
#include "host/output_jobs.h"
#include "host/window_events.h"

namespace cli {
namespace {

// The extension's local command codes behind its menu items, and the host
// menu request of Copy.
constexpr std::uint16_t kShowFirstWindow = 16387;  // then 16388, 16389
constexpr std::uint16_t kSettingsItem = 16404;
constexpr std::uint16_t kSubjectItem = 16405;
constexpr std::uint16_t kPrintReportItem = 22;
constexpr std::int16_t kFunctionsKnown = 3;
constexpr std::int16_t kCopyRequest = 103;
// Items of the copy dialog and of every modal dialog.
constexpr SInt16 kOkItem = 1;
constexpr SInt16 kNormalCopyItem = 5;
constexpr SInt16 kLargeCopyItem = 6;

bool RunScripted(std::vector<toolbox::ScriptAction> script, const auto& action) {
  toolbox::ClearScript();
  for (toolbox::ScriptAction& a : script) toolbox::PushScriptAction(std::move(a));
  action();
  const bool usedUp = toolbox::PendingScriptActions() == 0;
  toolbox::ClearScript();
  return usedUp;
}

}  // namespace

SpirometrySession::SpirometrySession(host::Document& document, const host::Extension& spirometry)
    : document_(document), spirometry_(spirometry) {
  // A saved document brings the extension open.
  if (document_.extensions().Find(spirometry_.hostRef) != nullptr) return;
  openedHere_ = document_.extensions().Open(spirometry_);
  // A host tells window extensions once the computed functions are known.
  if (openedHere_) document_.extensions().SendMenuCommand(kFunctionsKnown, 0, 0);
}

SpirometrySession::~SpirometrySession() {
  if (openedHere_) document_.extensions().Close(spirometry_.hostRef);
}

void SpirometrySession::Select(host::PositionRange range) { host::ChangeSelection(document_, range); }

bool SpirometrySession::Perform(std::uint16_t localCode, std::vector<toolbox::ScriptAction> script) {
  const auto key = static_cast<std::uint16_t>(host::MapExtensionId(localCode, spirometry_.hostRef));
  bool performed = false;
  const bool usedUp = RunScripted(std::move(script), [&] { performed = host::PerformUserCommand(document_, key); });
  host::DispatchWindowEvents(document_);
  return performed && usedUp;
}

bool SpirometrySession::EditSettings(std::vector<toolbox::ScriptAction> script) {
  return Perform(kSettingsItem, std::move(script));
}

bool SpirometrySession::EditSubject(std::vector<toolbox::ScriptAction> script) {
  return Perform(kSubjectItem, std::move(script));
}

WindowRef SpirometrySession::Show(SpiroWindow kind) {
  const auto code = static_cast<std::uint16_t>(kShowFirstWindow + static_cast<std::int16_t>(kind) - 1);
  if (!Perform(code, {})) return nullptr;
  const WindowRef front = FrontNonFloatingWindow();
  Handle local = nullptr;
  return front != nullptr && host::OwnerOfWindow(document_, front, &local) == &spirometry_ ? front : nullptr;
}

bool SpirometrySession::Copy(SpiroWindow kind, CopyFormat format) {
  if (Show(kind) == nullptr) return false;
  const SInt16 choice = format == CopyFormat::kLarge ? kLargeCopyItem : kNormalCopyItem;
  const bool usedUp = RunScripted({toolbox::ItemHitAction(choice), toolbox::ItemHitAction(kOkItem)},
                                  [&] { document_.extensions().SendMenuCommand(kCopyRequest, 0, 0); });
  host::DispatchWindowEvents(document_);
  return usedUp;
}

void SpirometrySession::PrintReport(const std::string& pdfPath) {
  host::OutputSetup& setup = host::CurrentOutputSetup();
  const host::OutputSetup saved = setup;
  setup.pdfPath = pdfPath;
  Perform(kPrintReportItem, {toolbox::ItemHitAction(kOkItem)});
  setup = saved;
}

}  // namespace cli
