#include "frame/recording_host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "frame/host_services.h"
#include "toolbox/memory.h"

using namespace spiro;

namespace {

template <int Index>
concept DeclaredService = requires { typename vantor::ServiceSignature<Index>::Type; };

std::vector<RecordedCall>& CallLog() {
  static std::vector<RecordedCall> calls;
  return calls;
}

template <int Index, class Arg>
void FillStr255Result(Arg argument) {
  if constexpr (std::is_same_v<Arg, Str255*>) {
    unsigned char* text = *argument;
    std::memset(text, 0xEE, sizeof(Str255));
    char name[8];
    std::snprintf(name, sizeof name, "S%03d", Index);
    text[0] = 4;
    std::memcpy(text + 1, name, 4);
  }
}

template <int Index, class Fn>
struct Recorder;

template <int Index, class R, class... Args>
struct Recorder<Index, R (*)(Args...)> {
  static R Call(Args... arguments) {
    CallLog().push_back({Index, {Recorded(arguments)...}});
    (FillStr255Result<Index>(arguments), ...);
    return ResultOf<R, Index>();
  }
};

template <int... Indices>
void InstallRecorders(vantor::ServiceTable& table, std::integer_sequence<int, Indices...>) {
  auto install = [&table]<int Index>() {
    if constexpr (DeclaredService<Index>) {
      vantor::SetService<Index>(table, &Recorder<Index, vantor::ServiceFn<Index>>::Call);
    }
  };
  (install.template operator()<Indices>(), ...);
}

}  // namespace

void RecordingHost::SetUp() {
  table_ = static_cast<vantor::ServiceTable*>(toolbox::LowAlloc(sizeof(vantor::ServiceTable)));
  InstallRecorders(*table_, std::make_integer_sequence<int, vantor::kServiceCount>{});
  SetHostServiceTable(toolbox::ToU32(table_));
  ForgetHostDataObject();
  CallLog().clear();
}

void RecordingHost::TearDown() {
  SetHostServiceTable(0);
  toolbox::LowFree(table_);
}

std::vector<RecordedCall>& RecordingHost::Calls() { return CallLog(); }

long RecordingHost::CallCount(int index) {
  return std::count_if(CallLog().begin(), CallLog().end(),
                       [index](const RecordedCall& call) { return call.index == index; });
}

::testing::AssertionResult RecordingHost::LastCallWas(int index,
                                                      const std::vector<long double>& arguments) {
  if (CallLog().empty()) return ::testing::AssertionFailure() << "no service was called";
  const RecordedCall& last = CallLog().back();
  if (last.index != index) {
    return ::testing::AssertionFailure() << "reached service " << last.index << ", not " << index;
  }
  if (last.arguments != arguments) {
    auto failure = ::testing::AssertionFailure() << "service " << index << " got (";
    for (long double a : last.arguments) failure << static_cast<double>(a) << ' ';
    failure << ") instead of (";
    for (long double a : arguments) failure << static_cast<double>(a) << ' ';
    return failure << ")";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult HoldsResultOf(const Str255 text, int index) {
  char expected[8];
  std::snprintf(expected, sizeof expected, "S%03d", index);
  const std::string actual(text + 1, text + 1 + text[0]);
  if (actual != expected) return ::testing::AssertionFailure() << "the text is " << actual;
  if (text[255] != 0xEE) return ::testing::AssertionFailure() << "only part of the buffer copied";
  return ::testing::AssertionSuccess();
}
