// The two template dispatchers, driven through the real host with extensions
// that record what each operation received.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "frame/computed_function_base.h"
#include "frame/general_extension_base.h"
#include "frame/host_services.h"
#include "host/alerts.h"
#include "host/bundle.h"
#include "host/service_table.h"
#include "support/bundle_suite.h"
#include "toolbox/resources.h"

using namespace spiro;

namespace {

struct TestLocal;
using Local = TestLocal**;

// An operation the dispatcher called, with its arguments.
struct Op {
  std::string name;
  std::vector<long long> arguments;
  bool operator==(const Op&) const = default;
};
void PrintTo(const Op& op, std::ostream* os) { *os << op.name << ::testing::PrintToString(op.arguments); }

std::vector<Op> gCalls;
bool gThrow = false;

void Record(const char* op, std::initializer_list<long long> values) {
  if (gThrow) throw std::runtime_error("operation failed");
  gCalls.push_back({op, values});
}
long long L(Local local) { return static_cast<long long>(reinterpret_cast<std::uintptr_t>(local)); }
long long A(const void* p) { return static_cast<long long>(reinterpret_cast<std::uintptr_t>(p)); }

class RecordingWindowExtension final : public GeneralExtensionBase<Local> {
 public:
  bool initializeResult = true;
  bool Initialize() override { Record("Initialize", {}); return initializeResult; }
  Local NewLocalData() override { Record("NewLocalData", {}); return reinterpret_cast<Local>(0x1234); }
  void DoMenuCommand(std::int16_t c, std::int16_t b, std::uint32_t a, Local l) override {
    Record("DoMenuCommand", {c, b, a, L(l)});
  }
  bool OwnsWindow(void* w, Local l) override { Record("OwnsWindow", {A(w), L(l)}); return true; }
  void ResizeWindow(void* w, Point p, Local l) override { Record("ResizeWindow", {A(w), p.v, p.h, L(l)}); }
  void ClickInWindow(void* w, std::int16_t a, std::uint32_t b, std::uint32_t c, void* tail, Local l) override {
    Record("ClickInWindow", {A(w), a, b, c, A(tail), L(l)});
  }
  void AdjustCursor(void* w, Point p, std::int16_t* out, Local l) override {
    Record("AdjustCursor", {A(w), p.v, p.h, L(l)});
    *out = 77;
  }
  void DescribeWindow(void* w, std::int16_t a, void* out, Local l) override {
    Record("DescribeWindow", {A(w), a, A(out), L(l)});
  }
  bool HandleMessage20(std::uint32_t a, std::int8_t b, std::uint8_t c, void* d, Local l) override {
    Record("HandleMessage20", {a, b, c, A(d), L(l)});
    return false;
  }
};

class RecordingComputedFunction final : public ComputedFunctionBase<Local> {
 public:
  Local NewLocalData(std::int16_t channel, std::uint8_t* flag) override {
    Record("NewLocalData", {channel});
    *flag = 9;
    return nullptr;
  }
  void GetFunctionName(unsigned char* out, Local) override { out[0] = 0; }
  void GetDescription(void*, Local) override {}
  void HandleNotification(std::int16_t code, std::uint32_t v, Local l) override {
    Record("HandleNotification", {code, v, L(l)});
  }
  void ComputeBlock(std::uint32_t in, std::uint32_t out, std::int16_t ch, std::int16_t b,
                    std::int16_t f, std::int16_t e, std::uint8_t flag, Local l) override {
    Record("ComputeBlock", {in, out, ch, b, f, e, flag, L(l)});
  }
  void GetChannelInfo(std::int16_t ch, std::int16_t b, void* out, Local l) override {
    Record("GetChannelInfo", {ch, b, A(out), L(l)});
  }
  bool HasDataForBlock(std::int16_t ch, std::int16_t b, Local l) override {
    Record("HasDataForBlock", {ch, b, L(l)});
    return hasData;
  }
  bool GetChannelUnits(std::int16_t ch, std::int16_t b, void* flag, void* units, Local l) override {
    Record("GetChannelUnits", {ch, b, A(flag), A(units), L(l)});
    return true;
  }
  bool EditSettings(std::int16_t, Local) override { return false; }
  void PerformCommand(void* record, Local l) override { Record("PerformCommand", {A(record), L(l)}); }
  void ComputeLive(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d,
                   std::uint32_t* in, std::uint32_t* out, Local l) override {
    Record("ComputeLive", {a, b, c, d, A(in), A(out), in[31], L(l)});
  }
  bool MatchesSource(std::int16_t ch, std::int16_t kind, Local l) override {
    Record("MatchesSource", {ch, kind, L(l)});
    return true;
  }
  bool hasData = true;
};

std::uint32_t TableAddress() {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(HostServiceTable()));
}

RecordingWindowExtension gWindow;
RecordingComputedFunction gComputed;

std::int32_t WindowEntry(std::int16_t m, void* b, std::uint32_t t) { return gWindow.Dispatch(m, b, t); }
std::int32_t ComputedEntry(std::int16_t m, void* b, std::uint32_t t) { return gComputed.Dispatch(m, b, t); }

// The real bundle puts string list 2015 into the resource chain.
class DispatchTest : public BundleSuite {
 protected:
  void SetUp() override {
    gCalls.clear();
    gThrow = false;
    host::ClearAlerts();
    host::SetAlertsQuiet(true);
  }
  void TearDown() override { host::SetAlertsQuiet(false); }

  host::Extension window_{"test1", &WindowEntry, 901, 0, false, "window"};
  host::Extension computed_{"test3", &ComputedEntry, 903, 0, false, "computed"};
  host::ParamBlock block_;
};

TEST_F(DispatchTest, CommonMessagesAndWindowExtensionResults) {
  block_.Set<std::uint16_t>(0, 0xFFFF);
  EXPECT_EQ(window_.Send(0, block_), 0);
  EXPECT_EQ(gWindow.hostRef, -1);
  block_.Set<std::int16_t>(0, 3);
  EXPECT_EQ(computed_.Send(0, block_), 0);
  EXPECT_EQ(gComputed.hostRef, 3);

  EXPECT_EQ(window_.Send(1), 0x10002);
  EXPECT_EQ(computed_.Send(1), 0x10003);
  EXPECT_EQ(window_.Send(2), 1);
  gWindow.initializeResult = false;
  EXPECT_EQ(window_.Send(2), 0);
  gWindow.initializeResult = true;
  EXPECT_EQ(window_.Send(3), 0);
  EXPECT_EQ(window_.Send(4), 0);
  EXPECT_EQ(window_.Send(5), 0);
  EXPECT_EQ(window_.Send(6, block_), 0x1234) << "the new local data handle, unchanged";
  EXPECT_EQ(window_.Send(10, block_), 1) << "bool true becomes 1";
  block_.Set<std::int16_t>(12, 0);
  window_.Send(15, block_);
  EXPECT_EQ(block_.Get<std::int16_t>(12), 77) << "AdjustCursor writes into the block";
}

TEST_F(DispatchTest, EveryCallStoresTheTableEvenOutOfRange) {
  for (std::int16_t message : {22, -1, 5, 0}) {
    block_.Set<std::int16_t>(0, 1);
    EXPECT_EQ(gWindow.Dispatch(message, block_.data(), 0x1000u + static_cast<std::uint32_t>(message & 0xFF)), 0)
        << message;
    EXPECT_EQ(TableAddress(), 0x1000u + static_cast<std::uint32_t>(message & 0xFF)) << message;
  }
  EXPECT_EQ(gComputed.Dispatch(18, block_.data(), 0x2000u), 0);
  EXPECT_EQ(TableAddress(), 0x2000u);
  EXPECT_TRUE(gCalls.empty()) << "no operation reached out of range";
  SetHostServiceTable(host::ServicesAddress());
}

TEST_F(DispatchTest, WindowExtensionArgumentsComeFromTheirOffsets) {
  block_.Set<std::uint32_t>(0, 0xABCD);  // local
  block_.Set<std::int16_t>(4, 7).Set<std::uint32_t>(6, 0xDEADBEEF).Set<std::int16_t>(10, -2);
  EXPECT_EQ(window_.Send(9, block_), 0);
  block_.Set<std::uint32_t>(4, 0x5000).Set<Point>(8, Point{-3, 4});
  window_.Send(12, block_);
  block_.Set<std::int16_t>(8, 11).Set<std::uint32_t>(10, 12).Set<std::uint32_t>(14, 13);
  window_.Send(14, block_);
  block_.Set<Point>(8, Point{5, 6});
  window_.Send(15, block_);
  block_.Set<std::int16_t>(8, 2).Set<std::uint32_t>(10, 0x7000);
  window_.Send(19, block_);
  block_.Set<std::int8_t>(8, -5).Set<std::uint8_t>(9, 200);
  EXPECT_EQ(window_.Send(20, block_), 0) << "false keeps the default result";

  const long long local = 0xABCD;
  const long long base = A(block_.data());
  EXPECT_EQ(gCalls, (std::vector<Op>{{"DoMenuCommand", {7, -2, 0xDEADBEEF, local}},
                                     {"ResizeWindow", {0x5000, -3, 4, local}},
                                     {"ClickInWindow", {0x5000, 11, 12, 13, base + 18, local}},
                                     {"AdjustCursor", {0x5000, 5, 6, local}},
                                     {"DescribeWindow", {0x5000, 2, 0x7000, local}},
                                     {"HandleMessage20", {0x5000, -5, 200, base + 10, local}}}));
}

TEST_F(DispatchTest, ComputedFunctionArgumentsComeFromTheirOffsets) {
  block_.Set<std::uint32_t>(0, 0x4444);
  block_.Set<std::int16_t>(4, 2).Set<std::int16_t>(6, 5);
  EXPECT_EQ(computed_.Send(11, block_), 0);
  EXPECT_EQ(computed_.Send(12, block_), 1);
  gComputed.hasData = false;
  EXPECT_EQ(computed_.Send(12, block_), 0);
  block_.Set<std::uint32_t>(10, 0x9000);
  EXPECT_EQ(computed_.Send(13, block_), 1);
  EXPECT_EQ(computed_.Send(16, block_), 1);
  block_.Set<std::uint32_t>(4, 0x100).Set<std::uint32_t>(8, 0x200).Set<std::int16_t>(12, 3)
      .Set<std::int16_t>(14, 4).Set<std::int16_t>(16, 10).Set<std::int16_t>(18, 20).Set<std::uint8_t>(20, 1);
  computed_.Send(8, block_);
  block_.Set<std::int16_t>(4, 8010).Set<std::uint32_t>(6, 99);
  computed_.Send(14, block_);
  block_.Set<std::int16_t>(4, 1).Set<std::int16_t>(6, 2).Set<std::int16_t>(8, 64).Set<std::int16_t>(10, 3);
  block_.Set<std::uint32_t>(12 + 31 * 4, 0xCAFE);
  computed_.Send(15, block_);
  block_.Set<std::int16_t>(4, 6).Set<std::uint8_t>(6, 0);
  EXPECT_EQ(computed_.Send(6, block_), 0) << "a null local data handle";

  const long long local = 0x4444;
  const long long base = A(block_.data());
  EXPECT_EQ(gCalls, (std::vector<Op>{{"GetChannelInfo", {5, 2, base + 8, local}},
                                     {"HasDataForBlock", {5, 2, local}},
                                     {"HasDataForBlock", {5, 2, local}},
                                     {"GetChannelUnits", {5, 2, base + 8, 0x9000, local}},
                                     {"MatchesSource", {2, 5, local}},
                                     {"ComputeBlock", {0x100, 0x200, 3, 4, 10, 20, 1, local}},
                                     {"HandleNotification", {8010, 99, local}},
                                     {"ComputeLive", {1, 2, 64, 3, base + 12, base + 140, 0xCAFE, local}},
                                     {"NewLocalData", {6}}}));
  EXPECT_EQ(block_.Get<std::uint8_t>(6), 9) << "NewLocalData writes its flag into the block";
}

std::string ListEntry(std::int16_t index) {
  Str255 text;
  GetIndString(text, 2015, index);
  return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

TEST_F(DispatchTest, ThrowingOperationAlertsOnceThenDispatchGoesOn) {
  ASSERT_FALSE(ListEntry(3).empty());
  ASSERT_FALSE(ListEntry(1).empty());
  gThrow = true;
  EXPECT_EQ(window_.Send(10, block_), 0);
  ASSERT_EQ(host::Alerts().size(), 1u);
  EXPECT_EQ(host::Alerts()[0].text, ListEntry(3));

  EXPECT_EQ(computed_.Send(16, block_), 0);
  ASSERT_EQ(host::Alerts().size(), 2u);
  EXPECT_EQ(host::Alerts()[1].text, ListEntry(1));

  EXPECT_EQ(window_.Send(2, block_), 0) << "a throw from Initialize is caught too";
  EXPECT_EQ(host::Alerts().size(), 3u);

  gThrow = false;
  EXPECT_EQ(window_.Send(10, block_), 1);
  EXPECT_EQ(window_.Send(1, block_), 0x10002);
  EXPECT_EQ(host::Alerts().size(), 3u);
}

}  // namespace
