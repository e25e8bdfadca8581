// The window extension's record over a document's life, and the commands and
// requests the host hands it.
#include "extension/port_helpers.h"
#include "support/service_spy.h"
#include "extension/spiro_menu_requests.h"
#include "extension/spiro_window.h"
#include "host/document.h"
#include "host/extension_menus.h"
#include "spiro_extension_fixture.h"
#include "util/pstring.h"

using namespace spiro;

namespace {

using namespace spirometry;

TEST_F(SpiroExtensionTest, NewRecordHasItsDefaultsAndLeavesNothingBehind) {
  ServiceSpy<vantor::service::HostService631> items([](ConstStr255Param, std::int16_t,
                                                       std::uint16_t) { return nullptr; });
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(items.calls().size(), 6u);  // settings, subject, three windows, print
  const LocalDataType& r = Record();
  EXPECT_EQ(std::make_tuple(r.analysisStatus, r.copyFormat, r.forcedFactor, r.flowThreshold, r.flowFunctionId),
            std::make_tuple(kAnalysisDue, std::uint16_t{1}, 2.0, kDefaultFlowThreshold, std::int16_t{-1}));
  EXPECT_GT(r.minRunSeconds, 0.0);
  EXPECT_EQ(r.grayPattern[0] << 8 | r.grayPattern[1], 0x55AA);
  PerformShorts(0, kDataWindow, 1);
  PerformShorts(0, kPlotWindow, 1);
  MenuRequest(200, 0);
  Dispose();
  EXPECT_EQ(toolbox::LiveHandleCount(kOwner), 0u);
}

TEST_F(SpiroExtensionTest, EveryAllocationFailureEndsInTheAlertOrARecordWithoutLeaks) {
  toolbox::FailAllocationAfter(0);
  ASSERT_NE(Open(), nullptr);
  const long allocations = toolbox::AllocationsCounted();
  Dispose();
  for (long n = 1; n <= allocations; ++n) {
    host::ClearAlerts();
    toolbox::FailAllocationAfter(n);
    const Local local = Open();
    toolbox::FailAllocationAfter(0);
    EXPECT_TRUE(local != nullptr || !host::Alerts().empty()) << "failure " << n << " unreported";
    Dispose();
    ASSERT_EQ(toolbox::LiveHandleCount(kOwner), 0u) << "failure " << n;
  }
  toolbox::FailAllocationAfter(1);
  EXPECT_EQ(Open(), nullptr);
  EXPECT_TRUE(spirotest::Alerted("Spirometry: Out of memory"));
}

TEST_F(SpiroExtensionTest, MissingStringListFreesWhatWasMade) {
  UseResFile(extensionFile_);
  Handle list = Get1Resource(FourCharCode("STR#"), kLabelListId);
  ASSERT_NE(list, nullptr);
  RemoveResource(list);
  DisposeHandle(list);
  UseResFile(documentFile_);
  EXPECT_EQ(Open(), nullptr);
  EXPECT_TRUE(spirotest::Alerted("Could not find STR# resource with ID=8103"));
  EXPECT_EQ(toolbox::LiveHandleCount(kOwner), 0u);
}

struct SizeCase {
  std::int16_t kind;
  std::int16_t width, height;
  std::int16_t expectedWidth, expectedHeight;
};

class SpiroSizeTest : public SpiroExtensionTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(SpiroSizeTest, SizeCommandClampsToTheKindsLimits) {
  const SizeCase c = GetParam();
  ASSERT_NE(Open(), nullptr);
  PerformShorts(0, c.kind, 1);
  const WindowRef window = WindowOfKind(local_, c.kind);
  ASSERT_NE(window, nullptr);
  PerformShorts(11, c.kind, c.width, c.height);
  Rect bounds{};
  GetWindowPortBounds(window, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, c.expectedWidth);
  EXPECT_EQ(bounds.bottom - bounds.top, c.expectedHeight);
  const auto& common = **reinterpret_cast<SpiroWindowRecord**>(Record().windowRecords[c.kind - 1]);
  EXPECT_EQ(common.contentRect.right, bounds.right - (c.kind == kReportWindow ? 0 : 15));
}

INSTANTIATE_TEST_SUITE_P(Limits, SpiroSizeTest,
                         ::testing::Values(SizeCase{kDataWindow, 50, 50, 200, 240},
                                           SizeCase{kDataWindow, 5000, 5000, 2000, 2000},
                                           SizeCase{kPlotWindow, 100, 100, 200, 150},
                                           SizeCase{kReportWindow, 300, 199, 300, 200}));

TEST_F(SpiroExtensionTest, ZoomAndUpdateOfOurWindowsOnly) {
  ServiceSpy<vantor::service::HostSubmitCommandFlag> flags;
  ASSERT_NE(Open(), nullptr);
  PerformShorts(0, kDataWindow, 1);
  const WindowRef window = WindowOfKind(local_, kDataWindow);
  const toolbox::ScopedMemoryOwner owner(kOwner);
  gRespiratoryExtension.WindowFlagChanged(window, 1, local_);
  gRespiratoryExtension.WindowFlagChanged(nullptr, 1, local_);
  ASSERT_EQ(flags.calls().size(), 1u);
  EXPECT_EQ(std::get<1>(flags.calls()[0]), kDataWindow);
  // Drawing with no document analyses to a status, shown in the header.
  gRespiratoryExtension.UpdateWindow(window, local_);
  EXPECT_NE(Record().analysisStatus, kAnalysisDue);
  std::int16_t part = -1;
  gRespiratoryExtension.AdjustCursor(window, Point{5, 5}, &part, local_);
  EXPECT_EQ(part, 0);
}

// The channel command invalidates only on a change; the axis range commands
// read doubles or scaled shorts.
TEST_F(SpiroExtensionTest, ChannelAndAxisRangeCommands) {
  ServiceSpy<vantor::service::HostScaleSetRange363> range;
  ASSERT_NE(Open(), nullptr);
  Record().flowChannel = 2;
  Record().analysisStatus = kAnalysisValid;
  PerformShorts(28, 1, 2);
  EXPECT_EQ(Record().analysisStatus, kAnalysisValid);
  PerformShorts(28, 2, 3);
  EXPECT_EQ(Record().analysisStatus, kAnalysisDue);
  EXPECT_EQ(std::make_pair(Record().flowChannel, Record().volumeChannel), std::make_pair(std::int16_t{2}, std::int16_t{3}));

  PerformShorts(29, kPlotWindow, 2048, -2048);  // no window yet: nothing
  PerformShorts(0, kPlotWindow, 1);
  int axis = 0;
  Plot().flowAxis = &axis;
  PerformShorts(29, kPlotWindow, 2048, -2048);
  PerformShorts(30, kPlotWindow, 2048, -2048);  // no volume axis
  std::vector<unsigned char> doubles(16);
  vantor::StoreAt(doubles.data(), 0, 3.5);
  vantor::StoreAt(doubles.data(), 8, -0.25);
  Perform(29, kPlotWindow, doubles, 25);
  Plot().flowAxis = nullptr;
  ASSERT_EQ(range.calls().size(), 2u);
  EXPECT_EQ(range.calls()[0], std::make_tuple(static_cast<void*>(&axis), 1.0, -1.0));
  EXPECT_EQ(range.calls()[1], std::make_tuple(static_cast<void*>(&axis), 3.5, -0.25));
}

TEST_F(SpiroExtensionTest, MenuRequestsAnswerTheVersionAndResubmitClosesAndMoves) {
  ServiceSpy<vantor::service::HostSubmitCommandFlag> flags;
  ServiceSpy<vantor::service::HostSubmitCommandShortPair> pairs;
  ASSERT_NE(Open(), nullptr);
  auto* answer = static_cast<std::uint32_t*>(toolbox::LowAlloc(4));
  *answer = 0;
  MenuRequest(8000, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(answer)));
  EXPECT_EQ(*answer, kVersionAnswer);
  toolbox::LowFree(answer);
  MenuRequest(8000, 0);

  PerformShorts(0, kReportWindow, 1);
  const auto window = static_cast<std::uint32_t>(
      reinterpret_cast<std::uintptr_t>(WindowOfKind(local_, kReportWindow)));
  MenuRequest(601, window);
  MenuRequest(600, window);
  ASSERT_EQ(flags.calls().size(), 1u);
  EXPECT_EQ(std::get<1>(flags.calls()[0]), kReportWindow);
  EXPECT_FALSE(std::get<2>(flags.calls()[0]));
  ASSERT_EQ(pairs.calls().size(), 1u);
  EXPECT_EQ(std::get<1>(pairs.calls()[0]), kReportWindow);
  EXPECT_EQ(Record().commandsEnabled, 1);
}

TEST_F(SpiroExtensionTest, ReportWindowRestoredFromAnEntryKeepsItsOwnSize) {
  ASSERT_NE(Open(), nullptr);
  std::vector<unsigned char> entry(12, 0);
  vantor::StoreAt<std::uint16_t>(entry.data(), 0, kWindowEntryVersion);
  entry[2] = 1;
  vantor::StoreAt(entry.data(), 4, Rect{120, 130, 220, 230});  // 100 wide
  RestoreWindow(entry.data(), 12, kReportWindow, local_);
  const WindowRef window = WindowOfKind(local_, kReportWindow);
  ASSERT_NE(window, nullptr);
  const Rect global = GetGlobalPortBounds(window);
  EXPECT_EQ(global.top, 120);
  EXPECT_EQ(global.left, 130);
  EXPECT_EQ(global.right - global.left, 560);  // the resource's width

  entry[2] = 0;  // hidden, and a window not yet made stays unmade
  RestoreWindow(entry.data(), 12, kReportWindow, local_);
  EXPECT_FALSE(IsWindowVisible(window));
  vantor::StoreAt<std::uint16_t>(entry.data(), 0, kDataWindowEntryVersion);
  RestoreWindow(entry.data(), 12, kPlotWindow, local_);
  EXPECT_EQ(Record().windowRecords[kPlotWindow - 1], nullptr);
}

TEST_F(SpiroExtensionTest, DescribeWindowFillsOurItemsAndMarksOnlyTheFrontKind) {
  int items[3] = {};
  ServiceSpy<vantor::service::HostService631> install(
      [&items, n = 0](ConstStr255Param, std::int16_t, std::uint16_t) mutable -> void* {
        const int i = n++ - 2;  // settings and subject come first
        return i >= 0 && i < 3 ? &items[i] : nullptr;
      });
  ServiceSpy<vantor::service::HostService634> mark;
  ASSERT_NE(Open(), nullptr);
  PerformShorts(0, kPlotWindow, 1);
  std::vector<unsigned char> out(5 * 257, 0xEE);
  const toolbox::ScopedMemoryOwner owner(kOwner);
  gRespiratoryExtension.DescribeWindow(WindowOfKind(local_, kPlotWindow), 0, out.data(), local_);
  EXPECT_EQ(out[0], 0);  // not analysed, not recording
  EXPECT_GT(out[1], 0);
  EXPECT_EQ(out[257], 0xEE);  // other slots untouched
  EXPECT_EQ(out[3 * 257 + 1 + out[3 * 257 + 1]], 0xC9);  // the print item ends in "…"
  ASSERT_EQ(mark.calls().size(), 3u);
  EXPECT_EQ(mark.calls()[1], std::make_tuple(static_cast<void*>(&items[1]), true));
  EXPECT_FALSE(std::get<1>(mark.calls()[0]));

  std::vector<unsigned char> untouched(5 * 257, 0xEE);
  gRespiratoryExtension.DescribeWindow(nullptr, 0, untouched.data(), local_);
  EXPECT_EQ(untouched, std::vector<unsigned char>(5 * 257, 0xEE));
  for (std::size_t i = 3; i < 6; ++i) EXPECT_FALSE(std::get<1>(mark.calls()[i]));
}

TEST_F(SpiroExtensionTest, CommandsGoIntoTheHostsMenuAndToolbarInOrder) {
  host::ForgetExtensionMenus();
  ASSERT_NE(Open(), nullptr);
  const auto items = host::ExtensionMenuItems();
  ASSERT_EQ(items.size(), 8u);
  const char* texts[] = {"Spirometry Settings…", "Subject Details…", "", "Spirometry Data",
                         "Flow-Volume Plot", "Report", "", "Print Spirometry Report…"};
  const int codes[] = {16404, 16405, -1, 16387, 16388, 16389, -1, 22};
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].menu, "Spirometry");
    EXPECT_EQ(items[i].text, texts[i]);
    EXPECT_EQ(items[i].separator, codes[i] < 0);
    if (codes[i] >= 0) {
      EXPECT_EQ(items[i].key, gRespiratoryExtension.MapLocalId(static_cast<std::uint16_t>(codes[i])));
    }
  }
  const auto& groups = host::ToolbarGroups();
  ASSERT_EQ(groups.size(), 1u);
  ASSERT_EQ(groups[0].buttons.size(), 4u);
  EXPECT_EQ(groups[0].buttons[2].key, gRespiratoryExtension.MapLocalId(32));
  host::ForgetExtensionMenus();
}

TEST_F(SpiroExtensionTest, CursorOutsideTheLoopAsksTheVolumeAxisFirst) {
  ServiceSpy<vantor::service::HostService387> axisPart(
      [](Point, void* axis) -> std::int16_t { return axis != nullptr ? 5 : 0; });
  ASSERT_NE(Open(), nullptr);
  PerformShorts(0, kPlotWindow, 1);
  int volumeAxis = 0;
  Plot().volumeAxis = &volumeAxis;
  Plot().common.status = kAnalysisValid;
  std::int16_t part = -1;
  const toolbox::ScopedMemoryOwner owner(kOwner);
  gRespiratoryExtension.AdjustCursor(Plot().common.window, Point{1, 1}, &part, local_);
  Plot().volumeAxis = nullptr;
  EXPECT_EQ(part, 5);
  ASSERT_EQ(axisPart.calls().size(), 1u);
  EXPECT_EQ(std::get<1>(axisPart.calls()[0]), static_cast<void*>(&volumeAxis));
}

// A channel's new title reaches both channel menus after their own two items;
// the report is drawn again when the channel is one the analysis uses.
struct TitleCase {
  std::uint32_t data;  // the channel, 0 = all
  const char* items;  // the titles of items 3..5 afterwards, in both menus
  bool reportRedrawn;
};

class ChannelTitles : public SpiroExtensionTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(ChannelTitles, RenameTheirMenuItems) {
  host::Document document;
  for (const char* title : {"A", "B", "C"}) document.AddChannel(title, "");
  const host::ScopedCurrentDocument current(document);
  ASSERT_NE(Open(), nullptr);
  for (MenuRef* menu : {&Record().volumeMenu, &Record().flowMenu}) {
    *menu = NewMenu(8100, PStringLiteral("C").data());
    AppendMenu(*menu, PStringLiteral("-;-;-;-;-").data());
  }
  Record().volumeMenuOwnItems = Record().flowMenuOwnItems = 2;
  Record().flowChannel = 2;
  PerformShorts(0, kReportWindow, 1);
  const WindowRef report = WindowOfKind(local_, kReportWindow);
  BeginUpdate(report);
  EndUpdate(report);
  MenuRequest(402, GetParam().data);
  for (MenuRef menu : {Record().volumeMenu, Record().flowMenu}) {
    std::string items;
    for (MenuItemIndex item = 3; item <= 5; ++item) {
      Str255 text{};
      GetMenuItemText(menu, item, text);
      items.append(reinterpret_cast<const char*>(text + 1), text[0]);
    }
    EXPECT_EQ(items, GetParam().items) << (menu == Record().flowMenu ? "flow" : "volume") << " menu";
  }
  EXPECT_EQ(toolbox::WindowNeedsUpdate(report), GetParam().reportRedrawn);
}

INSTANTIATE_TEST_SUITE_P(Channels, ChannelTitles,
                         ::testing::Values(TitleCase{0, "ABC", true}, TitleCase{2, "-B-", true},
                                           TitleCase{3, "--C", false}));

}  // namespace
