// Any command record the host may hand the computed functions (a journal read
// from a document is outside data): any code, any bytes, any stated size,
// delivered to the flow or the volume function, then a block computed with
// whatever settings resulted. Nothing may read outside the record or crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "host/bundle.h"
#include "host/command_delivery.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/recording_import.h"

namespace {

constexpr int kHead = 1, kFlow = 2, kVolume = 3;

struct Setup {
  std::unique_ptr<host::Bundle> bundle;
  std::unique_ptr<host::Document> document;
};

Setup* gSetup = nullptr;

// One document for the whole run: a flow head's recording with flow and
// volume attached, as the host keeps it open while the user works. Closed at
// exit, so that the leak check sees every handle given back.
Setup& Fixture() {
  static Setup* setup = [] {
    auto* s = gSetup = new Setup;
    std::string error;
    s->bundle = host::Bundle::Load(VANTOR_BUNDLE_DIR, &error);
    if (!s->bundle) std::abort();
    s->document = std::make_unique<host::Document>();
    host::Document& d = *s->document;
    d.AddChannel("Flow head", "Spirometer");
    d.AddChannel("Flow", "");
    d.AddChannel("Volume", "");
    const int block = d.AddBlock(0.01, 0, 200);
    std::vector<float> head(200);
    for (std::size_t i = 0; i < head.size(); ++i) head[i] = static_cast<float>((i % 50) - 25) / 100.0f;
    d.SetSamples(kHead, block, head);
    host::SetCurrentDocument(&d);
    if (!d.computed().Attach(kFlow, *s->bundle->Find("Main3")) ||
        !d.computed().Attach(kVolume, *s->bundle->Find("Main5"))) {
      std::abort();
    }
    // Registered last, so it runs before the host's statics made above go.
    std::atexit([] {
      host::SetCurrentDocument(nullptr);
      delete gSetup;
    });
    return s;
  }();
  return *setup;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  Setup& s = Fixture();
  const bool volume = (data[0] & 1) != 0;
  const host::Extension& function = *s.bundle->Find(volume ? "Main5" : "Main3");
  host::JournalEntry entry;
  entry.entryName = function.entryName;
  entry.extension = function.name;
  entry.service = (data[0] & 2) != 0 ? 28 : 19;
  entry.localCode = static_cast<std::uint16_t>(data[1] << 8 | data[2]);
  entry.index = volume ? kVolume : kFlow;
  entry.values.assign(data + 3, data + size);
  host::DeliverEntry(*s.document, entry);
  (void)s.document->computed().DisplayedSamples(kVolume, 1);
  return 0;
}
