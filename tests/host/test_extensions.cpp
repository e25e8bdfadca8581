#include "test_extensions.h"

#include <cstring>

#include "host/extension_registry.h"
#include "service_call.h"
#include "vantor/byte_access.h"
#include "vantor/command_record.h"
#include "vantor/messages.h"
#include "vantor/records.h"
#include "vantor/services.h"

namespace testext {
namespace {

using vantor::LoadAt;
using namespace vantor::service;

template <class T>
T* Deref(Handle h) {
  return reinterpret_cast<T*>(*h);
}

Handle HandleAt(const void* block, std::size_t offset) {
  return vantor::PointerFromU32<Ptr>(LoadAt<std::uint32_t>(block, offset));
}

// --- The scale function -----------------------------------------------------

struct ScaleLocal {
  std::int16_t channel;
  std::uint32_t settings;  // handle address, 0 until the first command
};
struct ScaleSettings {
  std::int16_t source;
  double factor;
};

std::int16_t gScaleRef = 0;

std::int16_t OwnChannel(Handle local) { return Deref<ScaleLocal>(local)->channel; }

// Until its first command a function reads its own recorded input at factor 1.
ScaleSettings SettingsOf(Handle local) {
  const auto* record = Deref<ScaleLocal>(local);
  return record->settings != 0 ? *Deref<ScaleSettings>(vantor::PointerFromU32<Ptr>(record->settings))
                               : ScaleSettings{record->channel, 1.0};
}

ScaleSettings* EnsureSettings(Handle local) {
  auto* record = Deref<ScaleLocal>(local);
  if (record->settings == 0) {
    Handle h = Call<HostNewHandle>(std::uint32_t{sizeof(ScaleSettings)});
    if (h == nullptr) return nullptr;
    record = Deref<ScaleLocal>(local);
    *Deref<ScaleSettings>(h) = ScaleSettings{record->channel, 1.0};
    record->settings = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(h));
  }
  return Deref<ScaleSettings>(vantor::PointerFromU32<Ptr>(record->settings));
}

void ScaleCompute(void* block, Handle local) {
  const ScaleSettings s = SettingsOf(local);
  Handle input = HandleAt(block, 4);
  Handle output = HandleAt(block, 8);
  const auto channel = LoadAt<std::int16_t>(block, 12);
  const auto b = LoadAt<std::int16_t>(block, 14);
  const auto first = LoadAt<std::int16_t>(block, 16);
  const auto end = LoadAt<std::int16_t>(block, 18);
  Log().computedBlocks.push_back(b);
  Handle source = s.source == channel ? input : CallData<DataLockBlock471>(s.source, b);
  for (int i = first; i < end; ++i) {
    const float x = source == nullptr ? 0.0f : Deref<float>(source)[i];
    Deref<float>(output)[i] = static_cast<float>(s.factor * static_cast<double>(x));
  }
  if (s.source != channel && source != nullptr) CallData<DataUnlockBlock472>(s.source, b);
}

void ScaleLive(void* block, Handle local) {
  ++Log().liveCalls;
  const ScaleSettings s = SettingsOf(local);
  const auto lastDone = LoadAt<std::int16_t>(block, 4);
  const auto lastToDo = LoadAt<std::int16_t>(block, 6);
  const auto length = LoadAt<std::int16_t>(block, 8);
  const auto channel = LoadAt<std::int16_t>(block, 10);
  const std::size_t inAt = s.source == channel ? vantor::computed::kLiveSourceRingsOffset
                                                : vantor::computed::kLiveOutputRingsOffset;
  const auto* in = vantor::PointerFromU32<float>(LoadAt<std::uint32_t>(block, inAt + 4 * (s.source - 1)));
  auto* out = vantor::PointerFromU32<float>(
      LoadAt<std::uint32_t>(block, vantor::computed::kLiveOutputRingsOffset + 4 * (channel - 1)));
  int k = lastDone;
  do {
    k = (k + 1) % length;
    out[k] = static_cast<float>(s.factor * static_cast<double>(in[k]));
  } while (k != lastToDo);
}

void ScaleCommand(const unsigned char* record, Handle local) {
  const auto code = LoadAt<std::uint16_t>(record, vantor::kCommandCodeAt);
  ScaleSettings* settings = EnsureSettings(local);
  if (settings == nullptr) return;
  if (code == kSetSource) settings->source = LoadAt<std::int16_t>(record, 8);
  if (code == kSetFactor || code == kSetFactorTwice) settings->factor = LoadAt<double>(record, 8);
  if (code == kSettingsRecord) {
    const auto size = LoadAt<std::int16_t>(record, vantor::kCommandDataSizeAt);
    const auto* data = vantor::PointerFromU32<unsigned char>(LoadAt<std::uint32_t>(record, vantor::kCommandDataAddressAt));
    Log().settingsSizes.push_back(size);
    // Only a whole record is applied, and nothing past its size is read.
    if (data != nullptr && size >= 10) {
      settings->source = LoadAt<std::int16_t>(data, 0);
      settings->factor = LoadAt<double>(data, 2);
    }
  }
  if (code == kSetFactorTwice) {
    const std::int16_t key = Call<HostMapExtensionId>(kSetFactor, gScaleRef);
    Call<HostSubmitCommandDouble>(static_cast<std::uint16_t>(key), LoadAt<std::int32_t>(record, 4),
                                 LoadAt<double>(record, 8) + 1.0);
  }
}

void ScaleNotification(void* block, Handle local) {
  const auto code = LoadAt<std::int16_t>(block, 4);
  const auto value = LoadAt<std::uint32_t>(block, 6);
  Log().notifications.push_back(code);
  if (code == 8000 && value != 0 && Log().answerProtocol) *vantor::PointerFromU32<std::uint16_t>(value) = 4277;
  if (code == 8010 && value != 0) *vantor::PointerFromU32<std::uint16_t>(value) = Log().acceptEdit ? 1 : 0;
  if (code == 8011 && static_cast<std::int16_t>(value & 0xFFFF) == OwnChannel(local)) {
    if (ScaleSettings* settings = EnsureSettings(local)) settings->source = static_cast<std::int16_t>(value >> 16);
  }
}

std::int32_t ScaleQuery(std::int16_t message, void* block, Handle local) {
  const ScaleSettings s = SettingsOf(local);
  const std::int16_t own = OwnChannel(local);
  const auto block16 = LoadAt<std::int16_t>(block, 4);
  switch (message) {
    case vantor::computed::kHasDataForBlock:
      return s.source == own ? CallData<DataService496>(s.source, block16) != 0
                             : CallData<DataChannelHasBlock>(s.source, block16) != 0;
    case vantor::computed::kGetChannelInfo: {
      vantor::ChannelScaleInfo info{};
      if (s.source == own) CallData<DataGetChannelRecord497>(s.source, block16, &info);
      else CallData<DataGetChannelRecord477>(s.source, block16, &info);
      info.computedFlag = 1;
      std::memcpy(vantor::AddressAt(block, 8), &info, sizeof info);
      return 0;
    }
    case vantor::computed::kGetChannelUnits: {
      auto* units = vantor::PointerFromU32<vantor::ChannelScaling>(LoadAt<std::uint32_t>(block, 10));
      units->calibrated = 1;
      units->offset = 0;
      units->gain = s.factor;
      units->unitText[0] = 1;
      units->unitText[1] = 'x';
      return 1;
    }
    case vantor::computed::kEditSettings: return Log().acceptEdit ? 1 : 0;
    default: return 0;
  }
}

std::int32_t ScaleEntry(std::int16_t message, void* block, std::uint32_t /*table: the host's own*/) {
  Handle local = HandleAt(block, 0);
  switch (message) {
    case vantor::msg::kSetHostRef: gScaleRef = LoadAt<std::int16_t>(block, 0); return 0;
    case vantor::msg::kGetKind: return static_cast<std::int32_t>(vantor::kComputedFunctionKind);
    case vantor::computed::kNewLocalData: {
      Handle h = Call<HostNewHandle>(std::uint32_t{sizeof(ScaleLocal)});
      if (h == nullptr) return 0;
      *Deref<ScaleLocal>(h) = ScaleLocal{LoadAt<std::int16_t>(block, 4), 0};
      return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(h));
    }
    case vantor::computed::kComputeBlock: ScaleCompute(block, local); return 0;
    case vantor::computed::kComputeLive: ScaleLive(block, local); return 0;
    case vantor::computed::kPerformCommand:
      ScaleCommand(vantor::PointerFromU32<unsigned char>(LoadAt<std::uint32_t>(block, 4)), local);
      return 0;
    case vantor::computed::kHandleNotification: ScaleNotification(block, local); return 0;
    default: return message >= vantor::computed::kFirstMessage ? ScaleQuery(message, block, local) : 0;
  }
}

// --- The window extension ---------------------------------------------------

std::int16_t gWindowRef = 0;
int gDepth = 0;

void WindowCommand(const unsigned char* record) {
  DeliveredCommand c{LoadAt<std::int16_t>(record, 0), LoadAt<std::uint16_t>(record, 2), LoadAt<std::int32_t>(record, 4),
                     std::vector<unsigned char>(record + 8, record + vantor::kCommandRecordBytes), {},
                     LoadAt<std::int16_t>(record, 8), gDepth};
  if (c.valueFormat == 28) {
    const auto* data = vantor::PointerFromU32<unsigned char>(LoadAt<std::uint32_t>(record, 10));
    if (data != nullptr && c.dataSize > 0) c.data.assign(data, data + c.dataSize);
  }
  Windows().commands.push_back(c);
  if (c.localCode == Windows().echoTrigger) {
    const std::int16_t key = Call<HostMapExtensionId>(Windows().echoCode, gWindowRef);
    ++gDepth;
    Call<HostSubmitCommandShort>(static_cast<std::uint16_t>(key), c.index, std::int16_t{7});
    --gDepth;
  }
}

std::int32_t WindowEntry(std::int16_t message, void* block, std::uint32_t /*table: the host's own*/) {
  switch (message) {
    case vantor::msg::kSetHostRef: gWindowRef = LoadAt<std::int16_t>(block, 0); return 0;
    case vantor::msg::kGetKind: return static_cast<std::int32_t>(vantor::kGeneralExtensionKind);
    case vantor::general::kNewLocalData: {
      Handle h = Call<HostNewHandle>(std::uint32_t{4});
      return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(h));
    }
    case vantor::general::kDisposeLocalData: Call<HostDisposeHandle>(HandleAt(block, 0)); return 0;
    case vantor::general::kPerformCommand:
      WindowCommand(vantor::PointerFromU32<unsigned char>(LoadAt<std::uint32_t>(block, 4)));
      return 0;
    case vantor::general::kDoMenuCommand:
      Windows().menuCommands.push_back({LoadAt<std::int16_t>(block, 4), LoadAt<std::uint32_t>(block, 6),
                                        LoadAt<std::int16_t>(block, 10)});
      return 0;
    default: return 0;
  }
}

// Registers the extension with the host (names, keys) under a fresh hostRef.
host::Extension Registered(host::Extension extension) {
  static std::int16_t lastHostRef = 1000;
  extension.hostRef = ++lastHostRef;
  host::RegisterExtension(host::ExtensionInfo{extension.hostRef, extension.name, -1});
  host::ParamBlock block;
  block.Set<std::int16_t>(0, extension.hostRef);
  extension.Send(vantor::msg::kSetHostRef, block);
  extension.kind = static_cast<std::uint32_t>(extension.Send(vantor::msg::kGetKind));
  extension.initialized = true;
  return extension;
}

}  // namespace

ScaleLog& Log() {
  static ScaleLog log;
  return log;
}

WindowLog& Windows() {
  static WindowLog log;
  return log;
}

std::uint16_t KeyOf(std::uint16_t code, const host::Extension& extension) {
  return static_cast<std::uint16_t>(host::MapExtensionId(code, extension.hostRef));
}

host::Extension MakeScaleFunction(const std::string& name) {
  return Registered({"Main3", &ScaleEntry, 0, 0, false, name});
}

host::Extension MakeWindowExtension(const std::string& name) {
  return Registered({"Main1", &WindowEntry, 0, 0, false, name});
}

std::unique_ptr<host::Document> MakeDocument(int channels, std::int32_t length, int blocks) {
  auto document = std::make_unique<host::Document>();
  for (int c = 1; c <= channels; ++c) document->AddChannel("Ch " + std::to_string(c), "");
  for (int b = 1; b <= blocks; ++b) {
    document->AddBlock(0.01, 3.0e9 + b * 100.0, length);
    for (int c = 1; c <= channels; ++c) {
      std::vector<float> samples(static_cast<std::size_t>(length));
      for (std::int32_t i = 0; i < length; ++i) {
        samples[static_cast<std::size_t>(i)] = static_cast<float>(c * 0.01 + (b - 1) * 0.1 + i * 0.001);
      }
      document->SetSamples(c, b, std::move(samples));
    }
  }
  return document;
}

}  // namespace testext
