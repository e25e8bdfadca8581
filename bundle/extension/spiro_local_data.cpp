#include "extension/spiro_local_data.h"

#include <cstring>

#include "extension/dispose_helpers.h"
#include "extension/spiro_window.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_menus.h"
#include "frame/host_services_strings.h"
#include "spirometry/analysis.h"
#include "toolbox/quickdraw.h"
#include "util/command_group.h"
#include "util/pstring.h"
#include "util/settings_store.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr auto kOutOfMemory = PStringLiteral("Spirometry: Out of memory");
constexpr auto kGrayPattern = PStringLiteral("55AA55AA55AA55AA");
constexpr auto kColon = PStringLiteral(":");
constexpr std::int16_t kChannelCountQuery = 1539;
constexpr std::int16_t kMenuItemFlags = 32;
constexpr std::int16_t kExtensionNameEntry = 1;
constexpr std::int16_t kSettingsEntry = 7;
constexpr std::int16_t kSubjectEntry = 6;
constexpr std::int16_t kPrintReportEntry = 5;
constexpr std::uint16_t kSettingsCode = 16404;
constexpr std::uint16_t kSubjectCode = 16405;
constexpr std::uint16_t kFirstWindowCode = 16387;
constexpr std::uint16_t kPrintReportCode = 22;
constexpr std::int16_t kAnalysisNotDone = kAnalysisDue;
constexpr std::uint16_t kDefaultCopyFormat = 1;
constexpr double kMillisecondsPerSecond = 1000.0;

struct ToolbarButton {
  std::uint16_t code;
  const char* image;
  const unsigned char* label;
};

constexpr auto kSettingsLabel = PStringLiteral("Settings");
constexpr auto kDataLabel = PStringLiteral("Spirometry Data");
constexpr auto kPlotLabel = PStringLiteral("Flow-Volume Plot");
constexpr auto kReportLabel = PStringLiteral("Report");

Handle LocalHandle(LocalDataType** local) { return reinterpret_cast<Handle>(local); }

// "name:command" for entry n of the command list; the name alone for 0.
void MenuItemText(Handle commands, std::int16_t entry, StringPtr text) {
  HostGetListString(commands, kExtensionNameEntry, text);
  if (entry == 0) return;
  Str255 command{};
  HostGetListString(commands, entry, command);
  ConcatPStrings(256, text, text, kColon.data(), command);
}

void* InstallMenuItem(const VantorExtensionBase& extension, Handle commands, std::int16_t entry,
                      std::uint16_t code) {
  Str255 text{};
  MenuItemText(commands, entry, text);
  return HostService631(text, kMenuItemFlags, static_cast<std::uint16_t>(extension.MapLocalId(code)));
}

void InstallSeparator(Handle commands) {
  Str255 text{};
  MenuItemText(commands, 0, text);
  HostService636(text);
}

void InstallMenuItems(const VantorExtensionBase& extension, LocalDataType& record) {
  const Handle commands = record.commandTextList;
  record.settingsItem = InstallMenuItem(extension, commands, kSettingsEntry, kSettingsCode);
  record.subjectItem = InstallMenuItem(extension, commands, kSubjectEntry, kSubjectCode);
  InstallSeparator(commands);
  for (int i = 0; i < kWindowKinds; ++i) {
    const auto code = static_cast<std::uint16_t>(kFirstWindowCode + i);
    record.windowMenuItems[i] =
        InstallMenuItem(extension, commands, static_cast<std::int16_t>(code - 16385), code);
  }
  InstallSeparator(commands);
  record.printReportItem =
      InstallMenuItem(extension, commands, kPrintReportEntry, kPrintReportCode);
}

void InstallToolbar(const VantorExtensionBase& extension, const LocalDataType& record) {
  static const ToolbarButton kButtons[] = {
      {kSettingsCode, "Ext_Settings.png", kSettingsLabel.data()},
      {31, "Spiro_Data.png", kDataLabel.data()},
      {32, "Spiro_FlowVolume.png", kPlotLabel.data()},
      {33, "Spiro_Report.png", kReportLabel.data()},
  };
  Str255 title{};
  HostGetListString(record.commandTextList, kExtensionNameEntry, title);
  const std::int16_t group = NewCommandGroup(extension, title, 0);
  for (const ToolbarButton& button : kButtons) {
    AddCommandWithIcon(extension, group, extension.MapLocalId(button.code), button.image,
                       button.label);
  }
}

void FillOptionDefaults(LocalDataType& record) {
  record.analysisStatus = kAnalysisNotDone;
  record.messageCode = 0;
  record.flowChannel = 0;
  record.volumeChannel = 0;
  record.flowSamples = nullptr;
  record.volumeSamples = nullptr;
  record.phaseCount = 0;
  record.phases = nullptr;
  record.recordingTime = 0;
  record.savedState = nullptr;
  std::memset(record.subjectName, 0, sizeof record.subjectName);
  record.subjectAge = record.subjectSex = record.subjectWeight = 0;
  record.subjectHeight = record.subjectReserved = 0;
  record.copyFormat = kDefaultCopyFormat;
  record.forcedFactor = kDefaultForcedFactor;
  record.reportGraph = 0;
  record.flowThreshold = kDefaultFlowThreshold;
  Str255 minRun{};
  HostGetListString(record.labelList, kMinRunMillisecondsEntry, minRun);
  record.minRunSeconds = HostStringToLong(minRun) / kMillisecondsPerSecond;
  record.commandsEnabled = 1;
  record.portraitPage = 1;
}

}  // namespace

LocalDataType** NewSpiroLocalData(const VantorExtensionBase& extension) {
  const Handle handle = HostNewHandle(sizeof(LocalDataType));
  if (handle == nullptr) {
    HostAlert(kOutOfMemory.data());
    return nullptr;
  }
  HostLockHandle(handle);
  auto** local = reinterpret_cast<LocalDataType**>(handle);
  std::memset(*handle, 0, sizeof(LocalDataType));
  const std::int16_t listIds[] = {kCommandTextListId, kMessageListId, kReportTextListId,
                                  kLabelListId};
  Handle* lists[] = {&(*local)->commandTextList, &(*local)->messageList,
                     &(*local)->reportTextList, &(*local)->labelList};
  bool listsLoaded = true;
  extension.BeginResources();
  for (int i = 0; i < 4 && listsLoaded; ++i) {
    *lists[i] = GetStringList(listIds[i]);
    listsLoaded = *lists[i] != nullptr;  // else the loader has told the user
  }
  extension.EndResources();
  if (!listsLoaded) {
    DisposeSpiroLocalData(local);
    return nullptr;
  }
  LocalDataType& record = **local;
  InstallMenuItems(extension, record);
  record.volumeMenu = nullptr;
  record.flowMenu = nullptr;
  StuffHex(record.grayPattern, kGrayPattern.data());
  record.channelCount = static_cast<std::int16_t>(HostQueryValue(kChannelCountQuery));
  record.flowFunctionId = -1;
  record.volumeFunctionId = -1;
  InstallToolbar(extension, record);
  FillOptionDefaults(record);
  HostUnlockHandle(handle);
  return local;
}

void DisposeSpiroLocalData(LocalDataType** local) {
  if (local == nullptr) return;
  HostLockHandle(LocalHandle(local));
  for (std::int16_t kind = 1; kind <= kWindowKinds; ++kind) DisposeWindowRecord(kind, local);
  FreeAnalysisResults(local);
  LocalDataType& record = **local;
  DisposeHandleAndClear(&record.commandTextList);
  DisposeHandleAndClear(&record.messageList);
  DisposeHandleAndClear(&record.reportTextList);
  DisposeHandleAndClear(&record.labelList);
  DisposeHandleAndClear(&record.savedState);
  // The channel menus are the record's too; left alive they would outlive it.
  DisposeMenuAndClear(&record.volumeMenu);
  DisposeMenuAndClear(&record.flowMenu);
  HostDisposeHandle(LocalHandle(local));
}

}  // namespace spirometry

}  // namespace spiro
