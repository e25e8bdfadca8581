// Placeholders for declared services that no group of the host defines.
//
// A placeholder is generated from the service's declared signature. It notes
// its index, leaves every argument alone except that a Str255 result buffer
// is set to the empty string (callers go on to read it), and returns the
// value-initialised result: 0, false, null, an empty rectangle.
#include <type_traits>
#include <utility>
#include <vector>

#include "host/host_context.h"
#include "host/service_table.h"
#include "toolbox/mac_types.h"
#include "vantor/services.h"

namespace host {
namespace {

struct PlaceholderCallLog {
  std::vector<int> calls;
};

std::vector<int>& CallLog() { return SessionState<PlaceholderCallLog>().calls; }

template <int Index>
concept DeclaredService = requires { typename vantor::ServiceSignature<Index>::Type; };

template <class Arg>
void EmptyStringResult(Arg argument) {
  if constexpr (std::is_same_v<Arg, Str255*>) {
    if (argument != nullptr) (*argument)[0] = 0;
  }
}

template <int Index, class Fn>
struct Placeholder;

template <int Index, class Result, class... Args>
struct Placeholder<Index, Result (*)(Args...)> {
  static Result Call(Args... arguments) {
    CallLog().push_back(Index);
    (EmptyStringResult(arguments), ...);
    if constexpr (std::is_void_v<Result>) {
      return;
    } else {
      return Result{};
    }
  }
};

template <int Index>
void InstallIfMissing(vantor::ServiceTable& table) {
  if constexpr (DeclaredService<Index>) {
    if (table.entries[Index] == nullptr) {
      vantor::SetService<Index>(table, &Placeholder<Index, vantor::ServiceFn<Index>>::Call);
    }
  }
}

// Folds stay under compilers' nesting limits (clang's is 256) by going
// through the table in chunks.
constexpr int kChunk = 164;
static_assert(vantor::kServiceCount % kChunk == 0);

template <int Base, int... Offsets>
void InstallRange(vantor::ServiceTable& table, std::integer_sequence<int, Offsets...>) {
  (InstallIfMissing<Base + Offsets>(table), ...);
}

template <int... Chunks>
void InstallEach(vantor::ServiceTable& table, std::integer_sequence<int, Chunks...>) {
  (InstallRange<Chunks * kChunk>(table, std::make_integer_sequence<int, kChunk>{}), ...);
}

}  // namespace

void InstallPlaceholderServices(vantor::ServiceTable& table) {
  InstallEach(table, std::make_integer_sequence<int, vantor::kServiceCount / kChunk>{});
}

const std::vector<int>& PlaceholderCalls() { return CallLog(); }

}  // namespace host
