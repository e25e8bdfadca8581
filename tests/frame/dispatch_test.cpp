// The two template dispatchers, driven through the real host with mock
// extensions that expect each operation with the arguments at their offsets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "frame/computed_function_base.h"
#include "frame/general_extension_base.h"
#include "frame/host_services.h"
#include "host/alerts.h"
#include "host/bundle.h"
#include "host/service_table.h"
#include "support/bundle_suite.h"
#include "toolbox/quickdraw_types.h"
#include "toolbox/resources.h"

using namespace spiro;
using ::testing::_;
using ::testing::Return;

namespace {

struct TestLocal;
using Local = TestLocal**;

class MockWindowExtension : public GeneralExtensionBase<Local> {
 public:
  virtual ~MockWindowExtension() = default;
  MOCK_METHOD(bool, Initialize, (), (override));
  MOCK_METHOD(Local, NewLocalData, (), (override));
  MOCK_METHOD(void, DoMenuCommand, (std::int16_t, std::int16_t, std::uint32_t, Local), (override));
  MOCK_METHOD(bool, OwnsWindow, (void*, Local), (override));
  MOCK_METHOD(void, ResizeWindow, (void*, Point, Local), (override));
  MOCK_METHOD(void, ClickInWindow, (void*, std::int16_t, std::uint32_t, std::uint32_t, void*, Local), (override));
  MOCK_METHOD(void, AdjustCursor, (void*, Point, std::int16_t*, Local), (override));
  MOCK_METHOD(void, DescribeWindow, (void*, std::int16_t, void*, Local), (override));
  MOCK_METHOD(bool, HandleMessage20, (std::uint32_t, std::int8_t, std::uint8_t, void*, Local), (override));
};

class MockComputedFunction : public ComputedFunctionBase<Local> {
 public:
  virtual ~MockComputedFunction() = default;
  MOCK_METHOD(Local, NewLocalData, (std::int16_t, std::uint8_t*), (override));
  MOCK_METHOD(void, GetFunctionName, (unsigned char*, Local), (override));
  MOCK_METHOD(void, GetDescription, (void*, Local), (override));
  MOCK_METHOD(void, HandleNotification, (std::int16_t, std::uint32_t, Local), (override));
  MOCK_METHOD(void, ComputeBlock,
              (std::uint32_t, std::uint32_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t, std::uint8_t,
               Local),
              (override));
  MOCK_METHOD(void, GetChannelInfo, (std::int16_t, std::int16_t, void*, Local), (override));
  MOCK_METHOD(bool, HasDataForBlock, (std::int16_t, std::int16_t, Local), (override));
  MOCK_METHOD(bool, GetChannelUnits, (std::int16_t, std::int16_t, void*, void*, Local), (override));
  MOCK_METHOD(bool, EditSettings, (std::int16_t, Local), (override));
  MOCK_METHOD(void, PerformCommand, (void*, Local), (override));
  MOCK_METHOD(void, ComputeLive,
              (std::int16_t, std::int16_t, std::int16_t, std::int16_t, std::uint32_t*, std::uint32_t*, Local),
              (override));
  MOCK_METHOD(bool, MatchesSource, (std::int16_t, std::int16_t, Local), (override));
};

std::unique_ptr<::testing::StrictMock<MockWindowExtension>> gWindow;
std::unique_ptr<::testing::StrictMock<MockComputedFunction>> gComputed;

std::int32_t WindowEntry(std::int16_t m, void* b, std::uint32_t t) { return gWindow->Dispatch(m, b, t); }
std::int32_t ComputedEntry(std::int16_t m, void* b, std::uint32_t t) { return gComputed->Dispatch(m, b, t); }

std::uint32_t TableAddress() {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(HostServiceTable()));
}

template <class T>
T* At(host::ParamBlock& block, std::size_t offset) {
  return reinterpret_cast<T*>(static_cast<unsigned char*>(block.data()) + offset);
}

// The real bundle puts string list 2015 into the resource chain.
class DispatchTest : public BundleSuite {
 protected:
  void SetUp() override {
    gWindow = std::make_unique<::testing::StrictMock<MockWindowExtension>>();
    gComputed = std::make_unique<::testing::StrictMock<MockComputedFunction>>();
    host::ClearAlerts();
    host::SetAlertsQuiet(true);
  }
  void TearDown() override {
    host::SetAlertsQuiet(false);
    gWindow.reset();
    gComputed.reset();
  }
  Local local_ = reinterpret_cast<Local>(0xABCD);
  host::Extension window_{"test1", &WindowEntry, 901, 0, false, "window"};
  host::Extension computed_{"test3", &ComputedEntry, 903, 0, false, "computed"};
  host::ParamBlock block_;
};

TEST_F(DispatchTest, CommonMessagesAndWindowExtensionResults) {
  block_.Set<std::uint16_t>(0, 0xFFFF);
  EXPECT_EQ(window_.Send(0, block_), 0);
  EXPECT_EQ(gWindow->hostRef, -1);
  block_.Set<std::int16_t>(0, 3);
  EXPECT_EQ(computed_.Send(0, block_), 0);
  EXPECT_EQ(gComputed->hostRef, 3);

  EXPECT_EQ(window_.Send(1), 0x10002);
  EXPECT_EQ(computed_.Send(1), 0x10003);
  EXPECT_CALL(*gWindow, Initialize()).WillOnce(Return(true)).WillOnce(Return(false));
  EXPECT_EQ(window_.Send(2), 1);
  EXPECT_EQ(window_.Send(2), 0);
  EXPECT_EQ(window_.Send(3), 0);
  EXPECT_EQ(window_.Send(4), 0);
  EXPECT_EQ(window_.Send(5), 0);
  EXPECT_CALL(*gWindow, NewLocalData()).WillOnce(Return(reinterpret_cast<Local>(0x1234)));
  EXPECT_EQ(window_.Send(6, block_), 0x1234) << "the new local data handle, unchanged";
  EXPECT_CALL(*gWindow, OwnsWindow(_, _)).WillOnce(Return(true));
  EXPECT_EQ(window_.Send(10, block_), 1) << "bool true becomes 1";
  EXPECT_CALL(*gWindow, AdjustCursor(_, _, _, _))
      .WillOnce([](void*, Point, std::int16_t* out, Local) { *out = 77; });
  block_.Set<std::int16_t>(12, 0);
  window_.Send(15, block_);
  EXPECT_EQ(block_.Get<std::int16_t>(12), 77) << "AdjustCursor writes into the block";
}

// The strict mocks fail on any operation reached out of range.
TEST_F(DispatchTest, EveryCallStoresTheTableEvenOutOfRange) {
  for (std::int16_t message : {22, -1, 5, 0}) {
    block_.Set<std::int16_t>(0, 1);
    EXPECT_EQ(gWindow->Dispatch(message, block_.data(), 0x1000u + static_cast<std::uint32_t>(message & 0xFF)), 0)
        << message;
    EXPECT_EQ(TableAddress(), 0x1000u + static_cast<std::uint32_t>(message & 0xFF)) << message;
  }
  EXPECT_EQ(gComputed->Dispatch(18, block_.data(), 0x2000u), 0);
  EXPECT_EQ(TableAddress(), 0x2000u);
  SetHostServiceTable(host::ServicesAddress());
}

TEST_F(DispatchTest, WindowExtensionArgumentsComeFromTheirOffsets) {
  auto* const window = reinterpret_cast<void*>(0x5000);
  const ::testing::InSequence inOrder;
  EXPECT_CALL(*gWindow, DoMenuCommand(7, -2, 0xDEADBEEF, local_));
  EXPECT_CALL(*gWindow, ResizeWindow(window, Point{-3, 4}, local_));
  EXPECT_CALL(*gWindow, ClickInWindow(window, 11, 12, 13, At<void>(block_, 18), local_));
  EXPECT_CALL(*gWindow, AdjustCursor(window, Point{5, 6}, At<std::int16_t>(block_, 12), local_));
  EXPECT_CALL(*gWindow, DescribeWindow(window, 2, reinterpret_cast<void*>(0x7000), local_));
  EXPECT_CALL(*gWindow, HandleMessage20(0x5000, -5, 200, At<void>(block_, 10), local_)).WillOnce(Return(false));
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
}

TEST_F(DispatchTest, ComputedFunctionArgumentsComeFromTheirOffsets) {
  const ::testing::InSequence inOrder;
  EXPECT_CALL(*gComputed, GetChannelInfo(5, 2, At<void>(block_, 8), local_));
  EXPECT_CALL(*gComputed, HasDataForBlock(5, 2, local_)).WillOnce(Return(true)).WillOnce(Return(false));
  EXPECT_CALL(*gComputed, GetChannelUnits(5, 2, At<void>(block_, 8), reinterpret_cast<void*>(0x9000), local_))
      .WillOnce(Return(true));
  EXPECT_CALL(*gComputed, MatchesSource(2, 5, local_)).WillOnce(Return(true));
  EXPECT_CALL(*gComputed, ComputeBlock(0x100, 0x200, 3, 4, 10, 20, 1, local_));
  EXPECT_CALL(*gComputed, HandleNotification(8010, 99, local_));
  EXPECT_CALL(*gComputed, ComputeLive(1, 2, 64, 3, At<std::uint32_t>(block_, 12), At<std::uint32_t>(block_, 140),
                                      local_));
  EXPECT_CALL(*gComputed, NewLocalData(6, At<std::uint8_t>(block_, 6)))
      .WillOnce([](std::int16_t, std::uint8_t* flag) {
        *flag = 9;
        return nullptr;
      });
  block_.Set<std::uint32_t>(0, 0xABCD);
  block_.Set<std::int16_t>(4, 2).Set<std::int16_t>(6, 5);
  EXPECT_EQ(computed_.Send(11, block_), 0);
  EXPECT_EQ(computed_.Send(12, block_), 1);
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
  computed_.Send(15, block_);
  block_.Set<std::int16_t>(4, 6).Set<std::uint8_t>(6, 0);
  EXPECT_EQ(computed_.Send(6, block_), 0) << "a null local data handle";
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
  const auto fail = [](auto&&...) -> bool { throw std::runtime_error("operation failed"); };
  EXPECT_CALL(*gWindow, OwnsWindow(_, _)).WillOnce(fail).WillOnce(Return(true));
  EXPECT_CALL(*gComputed, MatchesSource(_, _, _)).WillOnce(fail);
  EXPECT_CALL(*gWindow, Initialize()).WillOnce(fail);
  EXPECT_EQ(window_.Send(10, block_), 0);
  ASSERT_EQ(host::Alerts().size(), 1u);
  EXPECT_EQ(host::Alerts()[0].text, ListEntry(3));

  EXPECT_EQ(computed_.Send(16, block_), 0);
  ASSERT_EQ(host::Alerts().size(), 2u);
  EXPECT_EQ(host::Alerts()[1].text, ListEntry(1));

  EXPECT_EQ(window_.Send(2, block_), 0) << "a throw from Initialize is caught too";
  EXPECT_EQ(host::Alerts().size(), 3u);

  EXPECT_EQ(window_.Send(10, block_), 1);
  EXPECT_EQ(window_.Send(1, block_), 0x10002);
  EXPECT_EQ(host::Alerts().size(), 3u);
}

}  // namespace
