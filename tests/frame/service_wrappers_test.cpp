// The bundle's service wrappers against a low table of recorders generated from
// the services' signatures: each logs its index and arguments, fills a Str255
// result with "S<index>" (0xEE up to byte 255) and returns a value naming its
// service (ResultOf). The range helpers are checked against the host itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "frame/host_services.h"
#include "host/document.h"
#include "host/selection.h"
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "vantor/byte_access.h"
#include "vantor/range_record.h"

using namespace spiro;

namespace {

// Arguments as recorded: numbers by value, pointers by address, a Point as
// (v << 16 | h), and a Str255 result buffer as kStr255Result.
constexpr long double kStr255Result = -256.0L;
constexpr Str255* kStr255Out = nullptr;  // stands for it in Arguments()

template <class T>
long double Recorded(T value) {
  if constexpr (std::is_same_v<T, Str255*>) {
    return kStr255Result;
  } else if constexpr (std::is_same_v<T, Point>) {
    return static_cast<long double>((std::uint32_t{static_cast<std::uint16_t>(value.v)} << 16) |
                                    static_cast<std::uint16_t>(value.h));
  } else if constexpr (std::is_pointer_v<T>) {
    return static_cast<long double>(reinterpret_cast<std::uintptr_t>(value));
  } else {
    return static_cast<long double>(value);
  }
}

template <class... T>
std::vector<long double> Arguments(T... values) {
  return {Recorded(values)...};
}

// The result a recorder of service Index returns.
template <class R, int Index>
R ResultOf() {
  if constexpr (std::is_void_v<R>) {
    return;
  } else if constexpr (std::is_same_v<R, bool>) {
    return true;
  } else if constexpr (std::is_pointer_v<R>) {
    return reinterpret_cast<R>(static_cast<std::uintptr_t>(0x10000 + Index));
  } else if constexpr (std::is_same_v<R, Rect>) {
    return Rect{Index, 1, 2, 3};
  } else if constexpr (std::is_floating_point_v<R>) {
    return Index + 0.5;
  } else {
    return static_cast<R>(Index);
  }
}

struct RecordedCall {
  int index;
  std::vector<long double> arguments;
  bool operator==(const RecordedCall&) const = default;
};
void PrintTo(const RecordedCall& c, std::ostream* os) {
  *os << "service " << c.index << " with " << ::testing::PrintToString(c.arguments);
}

// The Str255 a recorder of service index writes: "S<index>", then 0xEE up to byte 255.
std::vector<unsigned char> Str255Of(int index) {
  std::vector<unsigned char> text(sizeof(Str255), 0xEE);
  text[0] = 4;
  std::snprintf(reinterpret_cast<char*>(text.data() + 1), 5, "S%03d", index);
  text[5] = 0xEE;
  return text;
}

std::vector<RecordedCall>& Calls() {
  static std::vector<RecordedCall> calls;
  return calls;
}

template <int Index, class Fn>
struct Recorder;

template <int Index, class R, class... Args>
struct Recorder<Index, R (*)(Args...)> {
  static R Call(Args... arguments) {
    Calls().push_back({Index, {Recorded(arguments)...}});
    (FillStr255(arguments), ...);
    return ResultOf<R, Index>();
  }
  template <class Arg>
  static void FillStr255(Arg argument) {
    if constexpr (std::is_same_v<Arg, Str255*>) std::memcpy(*argument, Str255Of(Index).data(), sizeof(Str255));
  }
};

template <int Index>
concept DeclaredService = requires { typename vantor::ServiceSignature<Index>::Type; };

template <int... Indices>
void InstallRecorders(vantor::ServiceTable& table, std::integer_sequence<int, Indices...>) {
  auto install = [&table]<int Index>() {
    if constexpr (DeclaredService<Index>) {
      vantor::SetService<Index>(table, &Recorder<Index, vantor::ServiceFn<Index>>::Call);
    }
  };
  (install.template operator()<Indices>(), ...);
}

// Fake host objects and arguments: the wrappers pass them on and never look inside.
void* const kDialog = reinterpret_cast<void*>(0x2000);
void* const kScale = reinterpret_cast<void*>(0x4000);
const Handle kHandle = reinterpret_cast<Handle>(0x6000);
const auto* const kScaling = reinterpret_cast<const vantor::ChannelScaling*>(0x7000);

// A fresh low table of recorders, stored as the bundle's table; the bundle's
// data object is forgotten so that each test starts as if loaded.
class RecordingHost : public ::testing::Test {
 protected:
  void SetUp() override {
    table_ = static_cast<vantor::ServiceTable*>(toolbox::LowAlloc(sizeof(vantor::ServiceTable)));
    InstallRecorders(*table_, std::make_integer_sequence<int, vantor::kServiceCount>{});
    SetHostServiceTable(toolbox::ToU32(table_));
    ForgetHostDataObject();
    Calls().clear();
  }
  void TearDown() override {
    SetHostServiceTable(0);
    toolbox::LowFree(table_);
  }
  vantor::ServiceTable& Table() { return *table_; }

  static RecordedCall LastCall() { return Calls().empty() ? RecordedCall{0, {}} : Calls().back(); }

 private:
  vantor::ServiceTable* table_ = nullptr;
};

// A value for argument position i, distinct from its neighbours of the same
// type so that two swapped arguments are seen.
template <class T>
T ArgumentAt(std::size_t i) {
  if constexpr (std::is_same_v<T, bool>) {
    return i % 2 == 0;
  } else if constexpr (std::is_same_v<T, Point>) {
    return Point{static_cast<std::int16_t>(i + 1), static_cast<std::int16_t>(-2 - int(i))};
  } else if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<T>(static_cast<std::uintptr_t>(0x1000 * (i + 1)));
  } else if constexpr (std::is_floating_point_v<T>) {
    return static_cast<T>(i) + 0.25;
  } else if constexpr (std::is_signed_v<T>) {
    return static_cast<T>(-2 - static_cast<int>(i));
  } else {
    return static_cast<T>(i + 2);
  }
}

template <class R>
bool SameResult(const R& actual, const R& expected) {
  if constexpr (std::is_same_v<R, Rect>) {
    return std::memcmp(&actual, &expected, sizeof(Rect)) == 0;
  } else {
    return actual == expected;
  }
}

class GeneratedWrappers : public RecordingHost {
 protected:
  template <int Index, class R, class... Args>
  void ExpectForwards(const char* name, R (&wrapper)(Args...)) {
    SCOPED_TRACE(name);
    ExpectForwards<Index>(wrapper, std::index_sequence_for<Args...>{});
    ++checked_;
  }

  template <int Index, class R, class... Args, std::size_t... I>
  void ExpectForwards(R (&wrapper)(Args...), std::index_sequence<I...>) {
    std::vector<long double> expected = Arguments(ArgumentAt<Args>(I)...);
    if constexpr (frame::IsDataService<Index>()) {
      expected.insert(expected.begin(), Recorded(ResultOf<void*, 654>()));
    }
    if constexpr (std::is_void_v<R>) {
      wrapper(ArgumentAt<Args>(I)...);
    } else {
      EXPECT_TRUE(SameResult(wrapper(ArgumentAt<Args>(I)...), ResultOf<R, Index>()))
          << "the service's result is not returned";
    }
    EXPECT_EQ(LastCall(), (RecordedCall{Index, expected}));
  }

  int checked_ = 0;
};

TEST_F(GeneratedWrappers, EachForwardsItsArgumentsInOrderAndReturnsTheResult) {
  int listed = 0;
#define VANTOR_SERVICE(index, name, ...) \
  ExpectForwards<index>(#name, name);    \
  ++listed;
#define VANTOR_RECORD_SERVICE(index, name, ...)
#include "vantor/service_list.inc"
#undef VANTOR_RECORD_SERVICE
#undef VANTOR_SERVICE
  EXPECT_EQ(checked_, listed);
  EXPECT_GT(listed, 100);
  EXPECT_EQ(std::count_if(Calls().begin(), Calls().end(),
                          [](const RecordedCall& c) { return c.index == vantor::service::HostGetDataObject; }),
            2)
      << "data services make the object once; one call is the wrapper of 654 itself";
}

TEST_F(GeneratedWrappers, TheDataObjectIsMadeWithOneBeforeTheFirstDataCall) {
  DataBlockLength(-1);
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls().front().index, vantor::service::HostGetDataObject);
  EXPECT_EQ(Calls().front().arguments, Arguments(1));
}

using RecordWrappers = RecordingHost;

TEST_F(RecordWrappers, Str255ResultsArriveWholeWithTheArgumentsInOrder) {
  namespace s = vantor::service;
  const auto* format = reinterpret_cast<const vantor::BlockTimeFormat*>(0x7100);
  std::int32_t a = 0;
  std::int32_t b = 0;
  // The service, a call of its wrapper, the arguments the service gets.
  const std::vector<std::tuple<int, std::function<void(StringPtr)>, std::vector<long double>>> cases = {
      {s::HostGetDialogItemText, [](StringPtr t) { HostGetDialogItemText(kDialog, 5, t); },
       Arguments(kStr255Out, kDialog, 5)},
      {s::HostDoubleToString, [](StringPtr t) { HostDoubleToString(t, 2.5, 3, true); },
       Arguments(kStr255Out, 2.5, 3, 1)},
      {s::HostGetListString, [](StringPtr t) { HostGetListString(kHandle, 20, t); },
       Arguments(kHandle, 20, kStr255Out)},
      {s::HostFormatNumber336, [&](StringPtr t) { HostFormatNumber336(1234, format, 0, 1, t); },
       Arguments(1234, format, 0, 1, kStr255Out)},
      {s::HostFormatNumber340,
       [](StringPtr t) { HostFormatNumber340(-0.25, kScaling, 0, 1, 2, t); },
       Arguments(-0.25, kScaling, 0, 1, 2, kStr255Out)},
      {s::HostService343, [](StringPtr t) { HostService343(t, kScaling); },
       Arguments(kStr255Out, kScaling)},
      {s::HostService437, [&](StringPtr t) { HostService437(4100, &a, &b, t); },
       Arguments(4100, &a, &b, kStr255Out)},
      {s::HostGetChannelName, [](StringPtr t) { HostGetChannelName(3, t); },
       Arguments(3, kStr255Out)},
      {s::HostService528, [](StringPtr t) { HostService528(t, 1); }, Arguments(kStr255Out, 1)},
      {s::HostService608, [](StringPtr t) { HostService608(t, 5); }, Arguments(kStr255Out, 5)},
      {s::HostGetExtensionName, [](StringPtr t) { HostGetExtensionName(-2, t); },
       Arguments(-2, kStr255Out)},
  };
  for (const auto& [index, call, arguments] : cases) {
    SCOPED_TRACE(index);
    Str255 text{};
    call(text);
    EXPECT_EQ(LastCall(), (RecordedCall{index, arguments}));
    EXPECT_EQ(std::vector<unsigned char>(text, text + sizeof(Str255)), Str255Of(index)) << "the whole Str255";
  }
}

// Records that services return by a hidden buffer arrive whole in the caller's.
void FillTextBufferRecord(unsigned char* record, const Rect*, std::int16_t, std::int16_t) {
  std::iota(record, record + vantor::kTextBufferRecordBytes, 1);
}

// Reads the packed pair the way the host does.
std::int32_t PositionFromPacked(void*, const void* packed) {
  return vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetBlockAt) * 1000 +
         vantor::LoadAt<std::int16_t>(packed, vantor::kBlockOffsetOffsetAt);
}

// Service 404's outputs, told apart by value.
void FourOutputs(void*, double* first, double* second, double* third, double* fourth) {
  *first = 1.5;
  *second = 2.5;
  *third = 3.5;
  *fourth = 4.5;
}

TEST_F(RecordWrappers, RecordsPairsAndOutputsPassWhole) {
  vantor::SetService<45>(Table(), &FillTextBufferRecord);
  std::vector<unsigned char> record(vantor::kTextBufferRecordBytes + 1, 0xAA);
  const Rect bounds{0, 0, 13, 200};
  HostService45(record.data(), &bounds, 1, 0);
  std::vector<unsigned char> expected(vantor::kTextBufferRecordBytes + 1, 0xAA);
  std::iota(expected.begin(), expected.end() - 1, 1);
  EXPECT_EQ(record, expected) << "the whole text-buffer record, and nothing past it";

  vantor::SetService<465>(Table(), &PositionFromPacked);
  EXPECT_EQ(DataPositionOfBlockOffset(MakeBlockOffset(7, 250)), 7250);
  EXPECT_EQ(DataPositionOfBlockOffset(MakeBlockOffset(-1, -2)), -1002) << "both halves signed";

  vantor::SetService<404>(Table(), &FourOutputs);
  double value = 0;
  HostService404First(kScale, &value);
  EXPECT_EQ(value, 1.5);
  HostService404Second(kScale, &value);
  EXPECT_EQ(value, 2.5) << "404's forwarders return their own output";

  // Every property recorder answers true: none holds for an invalid record.
  vantor::SetService<vantor::service::HostRangeIsValid>(Table(), +[](const unsigned char*) { return false; });
  EXPECT_FALSE(RangeHasProperty516() || RangeHasProperty518() || RangeHasProperty519());
}

// The range helpers on the host's own records: a property holds only for a
// valid selection (521) that has it; the active range is the selection when it
// is samples in the data view (519), else the view (524).
TEST(RangeHelpers, AnswerFromTheSelectionOrElseTheView) {
  SetHostServiceTable(host::ServicesAddress());
  host::Document document;
  document.AddChannel("Flow", "");
  document.AddBlock(0.01, 0, 200);
  host::SetCurrentDocument(&document);
  document.selection().SetView({100, 200});
  struct Case {
    std::optional<host::PositionRange> selection;
    bool inDataView;
    std::vector<int> properties;
    std::pair<std::int32_t, std::int32_t> active;
  };
  const Case cases[] = {{host::PositionRange{120, 180}, true, {516, 519}, {120, 180}},
                        {host::PositionRange{50, 50}, true, {518}, {100, 200}},
                        {host::PositionRange{10, 20}, false, {516}, {100, 200}},
                        {std::nullopt, true, {}, {100, 200}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    if (c.selection) {
      host::ChangeSelection(document, *c.selection, 1);
    } else {
      document.selection().Clear();
    }
    document.selection().SetInDataView(c.inDataView);
    std::vector<int> held;
    for (const auto& [property, holds] :
         {std::pair{516, RangeHasProperty516()}, std::pair{518, RangeHasProperty518()},
          std::pair{519, RangeHasProperty519()}}) {
      if (holds) held.push_back(property);
    }
    EXPECT_EQ(held, c.properties);
    unsigned char range[vantor::kRangeRecordBytes + 1];
    range[vantor::kRangeRecordBytes] = 0xAB;
    GetActiveRangeRecord(range);
    EXPECT_EQ(range[vantor::kRangeRecordBytes], 0xAB) << "wrote past the record";
    EXPECT_EQ(std::pair(vantor::LoadAt<std::int32_t>(range, vantor::kRangeStartAt),
                        vantor::LoadAt<std::int32_t>(range, vantor::kRangeEndAt)),
              c.active);
  }
  host::SetCurrentDocument(nullptr);
}

}  // namespace
