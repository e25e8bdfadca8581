// Busy services (153, 155, 156): counted always, shown on a terminal only.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/busy.h"
#include "host/host_context.h"
#include "service_call.h"

namespace {

using namespace vantor::service;
using testext::Call;

struct BusyServices : ::testing::Test {
  void SetUp() override {
    host::ResetHostContext();
    display = std::tmpfile();
    ASSERT_NE(display, nullptr);
  }
  void TearDown() override {
    host::SetBusyDisplay(nullptr, false);
    host::ResetHostContext();
    std::fclose(display);
  }
  std::string Shown() {
    std::fflush(display);
    std::rewind(display);
    std::string text;
    for (int c; (c = std::fgetc(display)) != EOF;) text += static_cast<char>(c);
    return text;
  }
  std::FILE* display = nullptr;
};

TEST_F(BusyServices, AreCountedWithNestingAndShownOnATerminalOnly) {
  host::SetBusyDisplay(display, false);
  Call<HostBeginBusy>();
  Call<HostBusyTick>(std::int16_t{15});
  Call<HostBeginBusy>();
  Call<HostEndBusy>();
  EXPECT_EQ(host::Busy().depth, 1) << "the inner bracket closed, the outer is open";
  Call<HostEndBusy>();
  Call<HostEndBusy>();  // unpaired: ignored
  EXPECT_EQ(Shown(), "") << "not a terminal: nothing is printed";

  host::SetBusyDisplay(display, true);
  Call<HostBusyTick>(std::int16_t{15});
  EXPECT_EQ(Shown(), "") << "a tick outside a bracket shows nothing";
  Call<HostBeginBusy>();
  Call<HostBusyTick>(std::int16_t{15});
  Call<HostEndBusy>();
  const host::BusyCounts& counts = host::Busy();
  EXPECT_EQ(std::vector<long>({counts.begun, counts.ended, counts.ticks, counts.depth}),
            std::vector<long>({3, 3, 3, 0}));
  const std::string shown = Shown();
  EXPECT_EQ(shown.rfind("\rworking / 1", 0), 0u) << shown;
  EXPECT_TRUE(shown.ends_with("\r\x1b[K")) << "the line is wiped";
}

}  // namespace
