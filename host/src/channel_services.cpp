// Services about the current document's channels and the extensions on them
// (437, 439, 508, 540, 572, 638), each as a real host answers it.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/extension_registry.h"
#include "host/host_context.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr std::int32_t kNoInput = 4113;

// Input kinds: the host numbers each distinct input name it has seen, from 1,
// for the whole run (a catalogue of what can be plugged into an input).
struct InputKindNames {
  std::vector<std::string> names;
};

std::vector<std::string>& InputKinds() { return ProcessState<InputKindNames>().names; }

std::int32_t KindOfInput(const std::string& name) {
  auto& kinds = InputKinds();
  const auto it = std::find(kinds.begin(), kinds.end(), name);
  if (it != kinds.end()) return static_cast<std::int32_t>(it - kinds.begin()) + 1;
  kinds.push_back(name);
  return static_cast<std::int32_t>(kinds.size());
}

// 439 (channel - 1): the kind of what is plugged into the channel's input;
// 4113 when nothing is (an empty input name) or there is no such channel.
std::int32_t InputKindService(std::int16_t channelIndex) {
  const Document* document = CurrentDocument();
  const int channel = channelIndex + 1;
  if (document == nullptr || !document->IsChannel(channel) || document->InputName(channel).empty()) {
    return kNoInput;
  }
  return KindOfInput(document->InputName(channel));
}

// 437 (kind, a, b, name): the input's name ("Spirometer"); a = the number of
// the current document's channels with an input of that kind, b = the first
// of them (0 when none). An unknown kind gives an empty name and zeros.
void InputNameService(std::int32_t kind, std::int32_t* count, std::int32_t* first, Str255* name) {
  const auto& kinds = InputKinds();
  const bool known = kind >= 1 && static_cast<std::size_t>(kind) <= kinds.size();
  std::int32_t n = 0;
  std::int32_t firstChannel = 0;
  const Document* document = CurrentDocument();
  for (int c = 1; known && document != nullptr && c <= document->channelCount(); ++c) {
    if (document->InputName(c) != kinds[static_cast<std::size_t>(kind - 1)]) continue;
    if (n++ == 0) firstChannel = c;
  }
  if (count != nullptr) *count = n;
  if (first != nullptr) *first = firstChannel;
  if (name != nullptr) toolbox::StorePascalText(*name, sizeof(Str255), known ? kinds[static_cast<std::size_t>(kind - 1)] : "");
}

// 508 (channel, block): true when what the channel displays there cannot be
// taken as a raw converter signal: no such channel or block, nothing
// displayed, or a base unit that is not a volt unit ("mV", "uV", "V").
bool NotRawSignalService(std::int16_t channel, std::int16_t block) {
  Document* document = CurrentDocument();
  if (document == nullptr) return true;
  const int b = document->ResolveBlock(block);
  if (!document->computed().HasDisplayedData(channel, b)) return true;
  const vantor::ChannelScaleInfo info = document->computed().DisplayedInfo(channel, b);
  const std::string unit = toolbox::PascalTextToUtf8(info.baseUnitText, sizeof info.baseUnitText);
  const bool volts = !unit.empty() && unit.back() == 'V' && unit.size() <= 3;
  return !volts;
}

// 540 (channel, out): the channel's title; empty for no such channel.
void ChannelNameService(std::int16_t channel, Str255* out) {
  if (out == nullptr) return;
  const Document* document = CurrentDocument();
  const bool exists = document != nullptr && document->IsChannel(channel);
  toolbox::StorePascalText(*out, sizeof(Str255), exists ? document->Title(channel) : "");
}

// 572 (channel): the identity of the channel's computed function, which is
// its extension's hostRef (equal for every channel it is on, and what 638
// answers for its credit line); 0 for a channel without one.
std::int16_t ComputedIdentityService(std::int16_t channel) {
  const Document* document = CurrentDocument();
  const Extension* function = document == nullptr ? nullptr : document->computed().FunctionOf(channel);
  return function == nullptr ? 0 : function->hostRef;
}

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Whether a credit line names the extension: it is the extension's name, or
// begins with it followed by a character that is not a letter or digit.
bool CreditNames(std::string_view credit, const std::string& name) {
  if (name.empty() || credit.size() < name.size() || !SameLetters(credit.substr(0, name.size()), name)) return false;
  return credit.size() == name.size() || !std::isalnum(static_cast<unsigned char>(credit[name.size()]));
}

// 638 (credit line): the identity (hostRef) of the loaded extension the
// credit line names, the longest name winning; -1 when none does, so that it
// never equals what 572 answers for a channel without a function.
std::int16_t CreditIdentityService(ConstStr255Param creditLine) {
  if (creditLine == nullptr) return -1;
  const std::string credit = toolbox::PascalTextToUtf8(creditLine);
  std::int16_t identity = -1;
  std::size_t longest = 0;
  for (const ExtensionInfo& info : RegisteredExtensions()) {
    if (CreditNames(credit, info.name) && info.name.size() > longest) {
      identity = info.hostRef;
      longest = info.name.size();
    }
  }
  return identity;
}

}  // namespace

void InstallChannelServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService437>(table, &InputNameService);
  vantor::SetService<HostService439>(table, &InputKindService);
  vantor::SetService<HostService508>(table, &NotRawSignalService);
  vantor::SetService<HostGetChannelName>(table, &ChannelNameService);
  vantor::SetService<HostService572>(table, &ComputedIdentityService);
  vantor::SetService<HostService638>(table, &CreditIdentityService);
}

}  // namespace host
